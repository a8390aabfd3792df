#include "planmap/planmapplottoolwidget.h"

#include "shared/numberfield.h"

PlanMapPlotToolWidget::PlanMapPlotToolWidget(QWidget* parent) : QWidget(parent)
{
    setupUi(this);
    connect(fitPushButton, &QPushButton::clicked, this, &PlanMapPlotToolWidget::fit);
}

void PlanMapPlotToolWidget::setPoint(QPointF p)
{
    // Each label takes the size of its new text: sized before the text, a
    // longer value would be cut until the next move.
    xLabel->setText(NumberField::text(p.x()));
    xLabel->setFixedSize(xLabel->sizeHint());
    yLabel->setText(NumberField::text(p.y()));
    yLabel->setFixedSize(yLabel->sizeHint());
}
