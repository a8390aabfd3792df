#pragma once

#include <QWidget>

// Common type of the probe models' process option widgets.
class ProcessOptionsWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ProcessOptionsWidget(QWidget* parent = nullptr) : QWidget(parent) {}
    ~ProcessOptionsWidget() override = default;

signals:
    void optionsChanged();
};
