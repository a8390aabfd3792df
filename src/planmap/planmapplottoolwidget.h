#pragma once

#include "ui_planmapplottoolwidget.h"

#include <QPointF>
#include <QWidget>

// The row under the plan map: cursor position read-out and the fit button.
class PlanMapPlotToolWidget : public QWidget, public Ui::UIPlanMapPlotToolWidget
{
    Q_OBJECT

public:
    explicit PlanMapPlotToolWidget(QWidget* parent = nullptr);

public slots:
    void setPoint(QPointF p);

signals:
    void fit();
};
