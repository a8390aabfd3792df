#pragma once

#include "probes/processoptionswidget.h"
#include "ui_processoptionswidget_simulator.h"

// Chooses the offset that the simulator adds to every value.
class ProcessOptionsWidget_Simulator : public ProcessOptionsWidget,
                                       public Ui::UIProcessOptionsWidget_Simulator
{
    Q_OBJECT

public:
    explicit ProcessOptionsWidget_Simulator(QWidget* parent = nullptr);
    ~ProcessOptionsWidget_Simulator() override;
};
