#include "planmap/planmapplottoolwidget.h"

#include "app/numberfield.h"

PlanMapPlotToolWidget::PlanMapPlotToolWidget(QWidget* parent) : QWidget(parent)
{
    setupUi(this);
    connect(fitPushButton, &QPushButton::clicked, this, &PlanMapPlotToolWidget::fit);
}

void PlanMapPlotToolWidget::setPoint(QPointF p)
{
    xLabel->setFixedSize(xLabel->sizeHint());
    xLabel->setText(NumberField::text(p.x()));
    yLabel->setFixedSize(yLabel->sizeHint());
    yLabel->setText(NumberField::text(p.y()));
}
