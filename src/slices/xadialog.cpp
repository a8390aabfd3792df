#include "slices/xadialog.h"

#include <QPushButton>

XaDialog::XaDialog(QWidget* parent) : QDialog(parent)
{
    setupUi(this);
    setWindowFlags(Qt::CustomizeWindowHint);
    setWindowTitle(QString());
    setModal(true);
    resize(237, 68);
    setFixedSize(sizeHint());
    connect(buttonBox, &QDialogButtonBox::rejected, this, &XaDialog::reject);
}

void XaDialog::setRunning(bool running)
{
    m_running = running;
    if (running)
        progressBar->setValue(0);
}

void XaDialog::setProgress(int percent)
{
    progressBar->setValue(percent);
}

void XaDialog::reject()
{
    // One cancel per build: the flag drops before anyone reacts.
    if (m_running) {
        m_running = false;
        emit canceled();
    }
    QDialog::reject();
}
