#pragma once

#include "ui_trackblockinfodialog.h"

#include <QDialog>

class TrackBlock;

// The geographic origin of a block as its session's information map gives it.
class TrackBlockInfoDialog : public QDialog, public Ui::UITrackBlockInfoDialog
{
    Q_OBJECT

public:
    explicit TrackBlockInfoDialog(TrackBlock* block, QWidget* parent = nullptr);

    // Each field shows the value of the last key, in key order, that
    // contains its word ("latitude", "longitude", "altitude"; case matters).
    void fillOrigin();

private:
    TrackBlock* m_block;
};
