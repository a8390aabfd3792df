#include "app/trackblocklistwidget.h"

#include "app/trackblockwidget.h"

TrackBlockListWidget::TrackBlockListWidget(QWidget* parent) : QWidget(parent)
{
    setupUi(this);
    setMinimumWidth(250);
}

TrackBlockWidget* TrackBlockListWidget::addTrackBlock(TrackBlock* block)
{
    auto* widget = new TrackBlockWidget(block);
    listLayout->addWidget(widget);
    return widget;
}

QSize TrackBlockListWidget::sizeHint() const
{
    return QSize(330, QWidget::sizeHint().height());
}
