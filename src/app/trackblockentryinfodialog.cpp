#include "app/trackblockentryinfodialog.h"

#include "probes/zndtranslator.h"
#include "shared/applicationconstants.h"
#include "survey/trackblockentry.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>

#include <memory>

namespace {

const QString settingsApplication = QStringLiteral("TrackBlockEntryInfoDialog");
const QString includeDataHeadersKey = QStringLiteral("includeDataHeaders");

} // namespace

TrackBlockEntryInfoDialog::TrackBlockEntryInfoDialog(TrackBlockEntry* entry, QWidget* parent)
    : QDialog(parent), m_entry(entry)
{
    setWindowFlags(Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setupUi(this);
    connect(loadPushButton, &QPushButton::clicked, this, &TrackBlockEntryInfoDialog::loadSpecifications);
    connect(savePushButton, &QPushButton::clicked, this, &TrackBlockEntryInfoDialog::saveSpecifications);
    connect(saveRawDataPushButton, &QPushButton::clicked, this, &TrackBlockEntryInfoDialog::saveRawData);
    const QSettings settings(applicationName, settingsApplication);
    includeDataHeadersCheckBox->setChecked(settings.value(includeDataHeadersKey, true).toBool());
    updateInfo();
}

TrackBlockEntryInfoDialog::~TrackBlockEntryInfoDialog()
{
    QSettings settings(applicationName, settingsApplication);
    settings.setValue(includeDataHeadersKey, includeDataHeadersCheckBox->isChecked());
}

void TrackBlockEntryInfoDialog::updateInfo()
{
    const std::unique_ptr<ZndTranslator> translator(createTranslator(m_entry->track().probeId()));
    if (!translator) {
        zLineEdit->setText(tr("Unknown"));
        return;
    }
    zLineEdit->setText(translator->model());
    // A refused block still shows what the model kept of it.
    translator->setSpecifications(m_entry->track().specifications());
    sTextBrowser->setText(translator->specificationsText());
}

void TrackBlockEntryInfoDialog::loadSpecifications()
{
    const QString path = chooseFile(tr("Load specifications"), QFileDialog::ExistingFile, QFileDialog::AcceptOpen);
    if (path.isEmpty())
        return;
    QByteArray bytes;
    const TrackDataFiles::Result read = TrackDataFiles::readSpecifications(path, &bytes);
    if (read != TrackDataFiles::Done) {
        report(read);
        return;
    }
    const QMessageBox::StandardButton answer =
        QMessageBox::question(this, QString(), tr("Replace probe specifications of %1 with %2?").arg(m_entry->name(), path),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
    if (answer != QMessageBox::Yes)
        return;
    const ProbeId& id = m_entry->track().probeId();
    const std::unique_ptr<ZndTranslator> translator(createTranslator(id));
    if (!translator) {
        warn(tr("Track %1 has unknown probe (%2::%3)")
                 .arg(m_entry->name(), QString::number(id.type()), QString::number(id.subtype())));
        return;
    }
    if (!translator->setSpecifications(bytes)) {
        warn(tr("Illegal specifications for probe %1").arg(translator->model()));
        return;
    }
    m_entry->setSpecifications(bytes);
    m_specificationsLoaded = true;
}

void TrackBlockEntryInfoDialog::saveSpecifications()
{
    const QString path = chooseFile(tr("Save specifications"), QFileDialog::AnyFile, QFileDialog::AcceptSave);
    if (path.isEmpty())
        return;
    report(TrackDataFiles::writeSpecifications(path, m_entry->track().specifications()));
}

void TrackBlockEntryInfoDialog::saveRawData()
{
    const QString path = chooseFile(tr("Save raw data"), QFileDialog::AnyFile, QFileDialog::AcceptSave,
                                    QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return;
    const std::unique_ptr<ZndTranslator> translator(createTranslator(m_entry->track().probeId()));
    if (!translator) {
        warn(tr("Project data contain unknown probe"));
        return;
    }
    translator->setSpecifications(m_entry->track().specifications());

    bool append = false;
    if (QFileInfo(path).size() != 0) {
        const QMessageBox::StandardButton answer =
            QMessageBox::question(this, QString(), tr("File is not empty. Append data?"),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::NoButton);
        if (answer != QMessageBox::Yes && answer != QMessageBox::No)
            return;
        append = answer == QMessageBox::Yes;
    }
    report(TrackDataFiles::saveRawData(path, append, m_entry->track(), *translator,
                                       includeDataHeadersCheckBox->isChecked()));
}

QString TrackBlockEntryInfoDialog::chooseFile(const QString& title, QFileDialog::FileMode mode,
                                              QFileDialog::AcceptMode acceptMode, QFileDialog::Options options)
{
    QFileDialog dialog(this);
    dialog.setWindowTitle(title);
    dialog.setFileMode(mode);
    dialog.setAcceptMode(acceptMode);
    dialog.setOptions(dialog.options() | options);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

void TrackBlockEntryInfoDialog::warn(const QString& text)
{
    QMessageBox::warning(this, QString(), text);
}

void TrackBlockEntryInfoDialog::report(TrackDataFiles::Result result)
{
    switch (result) {
    case TrackDataFiles::CannotOpen:
        warn(tr("Can not open file"));
        break;
    case TrackDataFiles::CannotRead:
        warn(tr("Can not read file data"));
        break;
    case TrackDataFiles::CannotWrite:
        warn(tr("Can not write data to file"));
        break;
    case TrackDataFiles::TooLarge:
        warn(tr("File is too large for probe specifications"));
        break;
    case TrackDataFiles::Done:
        break;
    }
}
