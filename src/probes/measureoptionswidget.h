#pragma once

#include <QWidget>

// Common type of the probe models' measure option widgets.
class MeasureOptionsWidget : public QWidget
{
    Q_OBJECT

public:
    explicit MeasureOptionsWidget(QWidget* parent = nullptr) : QWidget(parent) {}
    ~MeasureOptionsWidget() override = default;

signals:
    void optionsChanged();
};
