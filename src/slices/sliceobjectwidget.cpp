#include "slices/sliceobjectwidget.h"

#include "slices/sliceobjectlinewidget.h"

#include <QVBoxLayout>

SliceObjectWidget::SliceObjectWidget(SliceObject* sliceObject, QWidget* parent)
    : QWidget(parent), m_sliceObject(sliceObject)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    createLineWidget();
}

SliceObjectWidget::~SliceObjectWidget()
{
    // The row is destroyed only after this body, by QWidget.
    emit modified();
    emit deleted();
}

void SliceObjectWidget::createLineWidget()
{
    auto* line = new SliceObjectLineWidget(m_sliceObject);
    connect(line, &SliceObjectLineWidget::sendEnabled, this, &SliceObjectWidget::setItemsVisible);
    connect(line, &SliceObjectLineWidget::sendView, this, &SliceObjectWidget::onView);
    connect(line, &SliceObjectLineWidget::sendModified, this, &SliceObjectWidget::modified);
    layout()->addWidget(line);
}

void SliceObjectWidget::setItemsVisible(bool visible)
{
    QLayout* items = layout();
    for (int i = 1; i < items->count(); ++i) {
        if (QWidget* item = items->itemAt(i)->widget())
            item->setVisible(visible);
    }
}

void SliceObjectWidget::onView(const SliceObject* sliceObject)
{
    emit sendView(sliceObject);
}
