#pragma once

#include "ui_specificprocessoptionswidget.h"

#include <QWidget>

class GraphicOptionsWidget;
class ProcessOptionsWidget;

// One probe model's page of the processing options: whether its records
// contribute values, and whether only the frequency chosen in its graphic
// options does. It holds the model's process and graphic option widgets.
class SpecificProcessOptionsWidget : public QWidget, public Ui::UISpecificProcessOptionsWidget
{
    Q_OBJECT

public:
    explicit SpecificProcessOptionsWidget(QWidget* parent = nullptr);

    // Each takes the first non-null widget it is given into its frame, which
    // then owns it; later calls leave the first in place and the argument
    // with its caller.
    void setProcessOptionsWidget(ProcessOptionsWidget* widget);
    void setGraphicOptionsWidget(GraphicOptionsWidget* widget);

    void setOptionsEnabled(bool enabled);
    void setSpecificData(bool specificData);
    bool isOptionsEnabled() const;
    // Only while the probe is enabled as well.
    bool isSpecificData() const;

public slots:
    void onEnableClicked(bool checked);
    void onSpecificDataClicked(bool checked);

private:
    ProcessOptionsWidget* m_processOptionsWidget = nullptr;
    GraphicOptionsWidget* m_graphicOptionsWidget = nullptr;
};
