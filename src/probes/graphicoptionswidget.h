#pragma once

#include <QWidget>

// Common type of the probe models' graphic option widgets.
class GraphicOptionsWidget : public QWidget
{
    Q_OBJECT

public:
    explicit GraphicOptionsWidget(QWidget* parent = nullptr) : QWidget(parent) {}
    ~GraphicOptionsWidget() override = default;

signals:
    void optionsChanged();
};
