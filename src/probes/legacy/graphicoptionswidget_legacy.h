#pragma once

#include "probes/graphicoptionswidget.h"
#include "ui_graphicoptionswidget_legacy.h"

// Chooses the one legacy frequency whose value is used when a record is to
// give a single value. Item i of fComboBox is frequency index i.
class GraphicOptionsWidget_Legacy : public GraphicOptionsWidget,
                                    public Ui::UIGraphicOptionsWidget_Legacy
{
    Q_OBJECT

public:
    explicit GraphicOptionsWidget_Legacy(QWidget* parent = nullptr);
    ~GraphicOptionsWidget_Legacy() override;
};
