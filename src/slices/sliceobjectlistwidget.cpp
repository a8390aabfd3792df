#include "slices/sliceobjectlistwidget.h"

#include "slices/sliceobjectwidget.h"

SliceObjectListWidget::SliceObjectListWidget(QWidget* parent) : QWidget(parent)
{
    setMinimumWidth(250);
    setupUi(this);
}

SliceObjectWidget* SliceObjectListWidget::addSliceObject(SliceObject* sliceObject)
{
    auto* widget = new SliceObjectWidget(sliceObject);
    listLayout->addWidget(widget);
    return widget;
}

QSize SliceObjectListWidget::sizeHint() const
{
    return QSize(330, QWidget::sizeHint().height());
}
