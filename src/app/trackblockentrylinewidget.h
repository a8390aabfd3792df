#pragma once

#include "ui_trackblockentrylinewidget.h"

#include <QWidget>

class TrackBlockEntry;

// One entry's row below its block's header row: its switch and its views.
// Shows the entry's name and state as they were when the row was built;
// afterwards only the row's own clicks change them.
class TrackBlockEntryLineWidget : public QWidget, public Ui::UITrackBlockEntryLineWidget
{
    Q_OBJECT

public:
    explicit TrackBlockEntryLineWidget(TrackBlockEntry* entry, QWidget* parent = nullptr);

    void updateView();

    void onCheckBoxClicked(bool on);
    void showProfile();
    void showInfo();
    void showDistribution();

signals:
    void sendModified();

private:
    TrackBlockEntry* m_entry;
};
