#pragma once

#include "ui_trackblockentryinfodialog.h"

#include "app/trackdatafiles.h"

#include <QDialog>
#include <QFileDialog>

class TrackBlockEntry;

// The probe model and specifications of an entry's track, with the files
// of its specifications block and raw data. The file work itself is
// TrackDataFiles'.
class TrackBlockEntryInfoDialog : public QDialog, public Ui::UITrackBlockEntryInfoDialog
{
    Q_OBJECT

public:
    explicit TrackBlockEntryInfoDialog(TrackBlockEntry* entry, QWidget* parent = nullptr);
    ~TrackBlockEntryInfoDialog() override;

    void updateInfo();
    // Replaces the track's specifications after asking, when the probe
    // model accepts the file's bytes. The fields keep showing the old ones.
    void loadSpecifications();
    void saveSpecifications();
    void saveRawData();

    // Whether a load replaced the track's specifications: the project then
    // holds an edit to save.
    bool specificationsLoaded() const { return m_specificationsLoaded; }

private:
    // The first file chosen, or an empty string when the dialog was not
    // accepted.
    QString chooseFile(const QString& title, QFileDialog::FileMode mode, QFileDialog::AcceptMode acceptMode,
                       QFileDialog::Options options = QFileDialog::Options());
    void warn(const QString& text);
    // Warns of a failed TrackDataFiles::Result; Done says nothing.
    void report(TrackDataFiles::Result result);

    TrackBlockEntry* m_entry;
    bool m_specificationsLoaded = false;
};
