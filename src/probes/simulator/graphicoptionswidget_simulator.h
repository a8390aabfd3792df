#pragma once

#include "probes/graphicoptionswidget.h"
#include "ui_graphicoptionswidget_simulator.h"

// Chooses the simulator channel that a single-value request takes.
class GraphicOptionsWidget_Simulator : public GraphicOptionsWidget,
                                       public Ui::UIGraphicOptionsWidget_Simulator
{
    Q_OBJECT

public:
    explicit GraphicOptionsWidget_Simulator(QWidget* parent = nullptr);
    ~GraphicOptionsWidget_Simulator() override;
};
