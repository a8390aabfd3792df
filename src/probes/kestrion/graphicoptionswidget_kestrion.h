#pragma once

#include "probes/graphicoptionswidget.h"
#include "ui_graphicoptionswidget_kestrion.h"

// Chooses the one Kestrion frequency whose values are shown or used.
class GraphicOptionsWidget_Kestrion : public GraphicOptionsWidget,
                                      public Ui::UIGraphicOptionsWidget_Kestrion
{
    Q_OBJECT

public:
    explicit GraphicOptionsWidget_Kestrion(QWidget* parent = nullptr);
    ~GraphicOptionsWidget_Kestrion() override;
};
