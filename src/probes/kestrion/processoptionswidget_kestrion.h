#pragma once

#include "probes/processoptionswidget.h"
#include "ui_processoptionswidget_kestrion.h"

// Chooses what a Kestrion record turns into: EMF (with its signal part),
// phase or apparent resistivity, with the factory or the user's air
// calibration.
class ProcessOptionsWidget_Kestrion : public ProcessOptionsWidget,
                                      public Ui::UIProcessOptionsWidget_Kestrion
{
    Q_OBJECT

public:
    explicit ProcessOptionsWidget_Kestrion(QWidget* parent = nullptr);
    ~ProcessOptionsWidget_Kestrion() override;

    // 0 EMF, 1 phase, 2 apparent resistivity.
    int valueType() const;
    // 0 modulus, 1 real part, 2 imaginary part.
    int signalPart() const;
    bool userAirCalibration() const;

public slots:
    // The signal part matters only for the EMF.
    void on_currentIndexChanged(int index);
};
