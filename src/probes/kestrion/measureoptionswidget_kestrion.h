#pragma once

#include "probes/measureoptionswidget.h"
#include "ui_measureoptionswidget_kestrion.h"

// Chooses the Kestrion frequencies that a measurement command asks for.
// It never emits optionsChanged().
class MeasureOptionsWidget_Kestrion : public MeasureOptionsWidget,
                                      public Ui::UIMeasureOptionsWidget_Kestrion
{
    Q_OBJECT

public:
    explicit MeasureOptionsWidget_Kestrion(QWidget* parent = nullptr);
    ~MeasureOptionsWidget_Kestrion() override;
};
