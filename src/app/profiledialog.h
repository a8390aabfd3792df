#pragma once

#include "ui_profiledialog.h"

#include <QDialog>

class ProfilePlot;
class TrackBlockEntry;

// The profile of one entry, built once when the dialog is made; the entry
// is not kept.
class ProfileDialog : public QDialog, public Ui::UIProfileDialog
{
    Q_OBJECT

public:
    explicit ProfileDialog(TrackBlockEntry* entry, QWidget* parent = nullptr);

    ProfilePlot* profilePlot() const { return m_profilePlot; }

private:
    ProfilePlot* m_profilePlot = nullptr;
};
