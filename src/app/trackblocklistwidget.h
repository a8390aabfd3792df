#pragma once

#include "ui_trackblocklistwidget.h"

#include <QWidget>

class TrackBlock;
class TrackBlockWidget;

// The scrollable column of block widgets in the "Layout" dock.
//
// The block widgets point into the project's TrackBlockList and signal
// modified() and deleted() from their destructors. The owner therefore
// deletes this widget (or disconnects its block widgets) before it destroys
// or replaces the TrackBlockList, and does so in its own destructor body,
// not through Qt's deletion of children, so that the signals never reach a
// half-destroyed window or a list that is gone.
class TrackBlockListWidget : public QWidget, public Ui::UITrackBlockListWidget
{
    Q_OBJECT

public:
    explicit TrackBlockListWidget(QWidget* parent = nullptr);

    // Wide enough for a row with its name and all its buttons, so that the
    // dock opens without a scroll bar.
    QSize sizeHint() const override;

    // Appends a widget for the block below the others; the caller connects
    // its deleted() and modified().
    TrackBlockWidget* addTrackBlock(TrackBlock* block);
};
