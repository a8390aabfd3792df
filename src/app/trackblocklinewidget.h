#pragma once

#include "ui_trackblocklinewidget.h"

#include <QWidget>

class TrackBlock;

// The header row of a block: its switch, removal and transforms.
// Shows the block's name and state as they were when the row was built;
// afterwards only the row's own clicks change them.
class TrackBlockLineWidget : public QWidget, public Ui::UITrackBlockLineWidget
{
    Q_OBJECT

public:
    explicit TrackBlockLineWidget(TrackBlock* block, QWidget* parent = nullptr);

    void updateView();

    void onCheckBoxClicked(bool on);
    // Asks first; on Yes marks the block deleted and schedules the deletion
    // of the block widget, whose destructor then reports deleted().
    void removeBlock();
    void moveBlock();
    void rotateBlock();
    void scaleBlock();
    void showInfo();
    void showDistribution();

signals:
    void sendEnabled(bool e);
    void sendModified();

private:
    TrackBlock* m_block;
};
