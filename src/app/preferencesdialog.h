#pragma once

#include "ui_preferencesdialog.h"

#include <QDialog>

// Edits the preferences; only Ok changes them and writes them to the store.
class PreferencesDialog : public QDialog, public Ui::UIPreferencesDialog
{
    Q_OBJECT

public:
    explicit PreferencesDialog(QWidget* parent = nullptr);

public slots:
    void accept() override;
};
