#pragma once

#include "ui_xadialog.h"

#include <QDialog>

// Modal progress window of the model build, with Cancel only.
class XaDialog : public QDialog, public Ui::UIXaDialog
{
    Q_OBJECT

public:
    explicit XaDialog(QWidget* parent = nullptr);

    // While running, Cancel and Escape report canceled(); set it false
    // before closing the dialog at the end of a build.
    void setRunning(bool running);
    bool isRunning() const { return m_running; }
    void setProgress(int percent);

public slots:
    void reject() override;

signals:
    void canceled();

private:
    bool m_running = false;
};
