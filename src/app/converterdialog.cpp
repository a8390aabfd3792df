#include "app/converterdialog.h"

#include "app/vktconversion.h"
#include "shared/pendingwarnings.h"
#include "shared/writtenfile.h"

#include <QDataStream>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTextStream>

ConverterDialog::ConverterDialog(const QMap<QString, QString>& info, const QList<Track>& tracks, QWidget* parent)
    : QDialog(parent), m_info(info), m_tracks(tracks)
{
    setWindowFlags(Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setupUi(this);
    setFixedSize(sizeHint());

    const QList<qint32> serials = VktConversion::serials(m_tracks);
    if (serials.isEmpty()) {
        // The dialog stays open with nothing to choose; the user closes it.
        PendingWarnings::showOver(this, {tr("No data to convert")});
        return;
    }
    for (qint32 serial : serials)
        serialComboBox->addItem(QStringLiteral("%1").arg(serial));
    serialComboBox->setEnabled(true);
    convertPushButton->setEnabled(true);
    connect(convertPushButton, &QPushButton::clicked, this, &ConverterDialog::convert);
}

void ConverterDialog::convert()
{
    if (serialComboBox->count() == 0) {
        accept();
        return;
    }
    const VktConversion conversion(m_info, m_tracks, serialComboBox->currentText().toInt());
    const auto reportSkipped = [this, &conversion]() {
        if (conversion.skippedCount() > 0)
            QMessageBox::warning(this, QString(), tr("Records of another length left out: %1").arg(conversion.skippedCount()));
    };
    if (conversion.recordCount() == 0) {
        // Nothing to write: the left-out records are why.
        reportSkipped();
        accept();
        return;
    }

    QFileDialog dialog(this);
    dialog.setNameFilters({tr("VKT files") + QStringLiteral(" (*.vkt)")});
    dialog.setWindowTitle(tr("Converter"));
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString fileName = dialog.selectedFiles().first();

    QFile file(fileName);
    bool deviceFileWritten = false;
    if (!file.open(QIODevice::WriteOnly)) {
        warnAbout(tr("Can not open file"), file.fileName());
    } else {
        const QByteArray bytes = conversion.deviceFile();
        const bool written = file.write(bytes) == bytes.size();
        deviceFileWritten = WrittenFile::finish(file) && written;
        if (!deviceFileWritten)
            warnAbout(tr("Can not write data to file"), file.fileName());
    }

    if (m_llaCheckBox->isChecked()) {
        const QString llaName = fileName + QStringLiteral(".lla");
        const WrittenFile::Result result =
            WrittenFile::writeText(llaName, [&conversion](QTextStream& out) { conversion.writeCoordinates(out); });
        if (result == WrittenFile::CannotOpen)
            warnAbout(tr("Can not open file"), QFile(llaName).fileName());
        else if (result == WrittenFile::CannotWrite)
            warnAbout(tr("Can not write data to file"), QFile(llaName).fileName());
    }
    // Only a device file that holds the other records lacks these.
    if (deviceFileWritten)
        reportSkipped();
    accept();
}

void ConverterDialog::warnAbout(const QString& message, const QString& fileName)
{
    QMessageBox::warning(this, QString(), message + QStringLiteral(" \"") + fileName + QLatin1Char('"'));
}
