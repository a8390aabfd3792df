#include "app/trackblockwidget.h"

#include "app/trackblockentrylinewidget.h"
#include "app/trackblocklinewidget.h"
#include "survey/trackblock.h"

#include <QVBoxLayout>

TrackBlockWidget::TrackBlockWidget(TrackBlock* block, QWidget* parent) : QWidget(parent), m_block(block)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    createLines();
}

TrackBlockWidget::~TrackBlockWidget()
{
    // The rows are destroyed only after this body, by QWidget.
    emit modified();
    emit deleted();
}

void TrackBlockWidget::createLines()
{
    auto* line = new TrackBlockLineWidget(m_block);
    connect(line, &TrackBlockLineWidget::sendEnabled, this, &TrackBlockWidget::setEntriesVisible);
    connect(line, &TrackBlockLineWidget::sendModified, this, &TrackBlockWidget::modified);
    layout()->addWidget(line);

    for (int i = 0; i < m_block->entryCount(); ++i) {
        auto* entryLine = new TrackBlockEntryLineWidget(&m_block->entry(i));
        connect(entryLine, &TrackBlockEntryLineWidget::sendModified, this, &TrackBlockWidget::modified);
        layout()->addWidget(entryLine);
    }

    // The entry rows of a disabled block start hidden, as they would after
    // unticking it: a visible row could switch on the curves of an entry
    // whose block is off.
    if (!m_block->isEnabled())
        setEntriesVisible(false);
}

void TrackBlockWidget::setEntriesVisible(bool visible)
{
    QLayout* rows = layout();
    for (int i = 1; i < rows->count(); ++i) {
        if (QWidget* row = rows->itemAt(i)->widget())
            row->setVisible(visible);
    }
}
