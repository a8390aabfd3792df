#pragma once

#include "ui_aboutdialog.h"

#include <QDialog>

// The product name, version and maker's notice.
class AboutDialog : public QDialog, public Ui::UIAboutDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
};
