#pragma once

#include "probes/measureoptionswidget.h"
#include "ui_measureoptionswidget_simulator.h"

// Chooses the simulator channels of a measurement request.
class MeasureOptionsWidget_Simulator : public MeasureOptionsWidget,
                                       public Ui::UIMeasureOptionsWidget_Simulator
{
    Q_OBJECT

public:
    explicit MeasureOptionsWidget_Simulator(QWidget* parent = nullptr);
    ~MeasureOptionsWidget_Simulator() override;

    // The check box of channel index 0 to 4.
    QCheckBox* channelBox(int i) const;
};
