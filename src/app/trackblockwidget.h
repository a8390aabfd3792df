#pragma once

#include <QWidget>

class TrackBlock;

// A block's header row above one row per entry. The rows act on the block
// directly; the block must keep its address while this widget exists.
//
// Every destruction (after a removal or with the whole list) emits
// modified() and then deleted() while the rows still exist. Neither this
// widget nor its rows touch the block from a destructor, so a receiver of
// deleted() may purge the block at once.
class TrackBlockWidget : public QWidget
{
    Q_OBJECT

public:
    explicit TrackBlockWidget(TrackBlock* block, QWidget* parent = nullptr);
    ~TrackBlockWidget() override;

    // Shows or hides the entry rows; the header row always stays.
    void setEntriesVisible(bool visible);

signals:
    void deleted();
    void modified();

private:
    void createLines();

    TrackBlock* m_block;
};
