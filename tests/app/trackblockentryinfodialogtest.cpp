#include "common/sessionwriter.h"
#include "common/testregistry.h"
#include "common/testsupport.h"
#include "probes/probebytes.h"

#include "app/trackblockentryinfodialog.h"
#include "app/trackblockentrylinewidget.h"
#include "app/trackblockwidget.h"
#include "shared/applicationconstants.h"
#include "survey/trackblock.h"

#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using TestSupport::fileBytes;
using TestSupport::writeFileBytes;

namespace {

QByteArray kestrionBlock(qint32 serial)
{
    ProbeBytes::KestrionBlock block;
    block.serial = serial;
    return block.bytes();
}

TrackBlockEntry kestrionEntry()
{
    ProbeBytes::RawRecordBytes record;
    record.setChannel(6, 256, 384, 7, 8);
    TrackBlockEntry entry;
    entry.setName(QStringLiteral("Track 1"));
    entry.setTrack(SessionWriter::track(ProbeId(1, 0), kestrionBlock(5), {record.bytes, record.bytes}, 2.5, 7.0));
    return entry;
}

} // namespace

class TrackBlockEntryInfoDialogTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

    // Chooses the file, answers the message boxes that follow and gives their texts.
    static QStringList run(TrackBlockEntryInfoDialog& dialog, void (TrackBlockEntryInfoDialog::*operation)(),
                           const QString& file, const QList<int>& answers)
    {
        QStringList texts;
        TestSupport::acceptNextFileDialog({file});
        TestSupport::answerNextMessageBoxes(answers, &texts);
        (dialog.*operation)();
        return texts;
    }

private slots:
    void init() { QSettings(applicationName, QStringLiteral("TrackBlockEntryInfoDialog")).clear(); }

    void shownAndStored()
    {
        TrackBlockEntry entry = kestrionEntry();
        {
            TrackBlockEntryInfoDialog dialog(&entry);
            QCOMPARE(dialog.zLineEdit->text(), QStringLiteral("KESTRION"));
            QVERIFY(dialog.sTextBrowser->toPlainText().startsWith(QStringLiteral("#5\n12/3/2019\n\nF[1] = 1\n")));
            QVERIFY(dialog.includeDataHeadersCheckBox->isChecked());
            // Closed with the close button, the unticked box is still kept.
            dialog.includeDataHeadersCheckBox->click();
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            dialog.close();
        }
        QCOMPARE(QSettings(applicationName, QStringLiteral("TrackBlockEntryInfoDialog")).value("includeDataHeaders"),
                 QVariant(false));
        // A refused block shows what the model kept of it: nothing.
        entry.setSpecifications("junk");
        TrackBlockEntryInfoDialog refused(&entry);
        QVERIFY(!refused.includeDataHeadersCheckBox->isChecked());
        QCOMPARE(refused.zLineEdit->text(), QStringLiteral("KESTRION"));
        QVERIFY(refused.sTextBrowser->toPlainText().isEmpty());
        entry.track().setProbeId(ProbeId(7, 7));
        QCOMPARE(TrackBlockEntryInfoDialog(&entry).zLineEdit->text(), QStringLiteral("Unknown"));
    }

    void loadSpecifications()
    {
        const QString valid = path("valid.bin");
        const QString illegal = path("illegal.bin");
        const QString large = path("large.bin");
        writeFileBytes(valid, kestrionBlock(9));
        writeFileBytes(illegal, kestrionBlock(0));
        writeFileBytes(large, kestrionBlock(9) + QByteArray(64 * 1024, '\0'));
        TrackBlockEntry entry = kestrionEntry();
        const QByteArray old = entry.track().specifications();
        TrackBlockEntryInfoDialog dialog(&entry);
        const QString shown = dialog.sTextBrowser->toPlainText();
        const auto question = [](const QString& file) {
            return QStringLiteral("Replace probe specifications of Track 1 with %1?").arg(file);
        };
        const auto load = &TrackBlockEntryInfoDialog::loadSpecifications;

        QCOMPARE(run(dialog, load, large, {QMessageBox::Ok}),
                 QStringList{QStringLiteral("File is too large for probe specifications")});
        // Exactly the limit is read, and then judged by the model.
        writeFileBytes(large, QByteArray(64 * 1024, '\0'));
        QCOMPARE(run(dialog, load, large, {QMessageBox::Yes, QMessageBox::Ok}),
                 (QStringList{question(large), QStringLiteral("Illegal specifications for probe KESTRION")}));
        // A file that opens but cannot be read.
        QCOMPARE(run(dialog, load, QStringLiteral("/proc/self/mem"), {QMessageBox::Ok}),
                 QStringList{QStringLiteral("Can not read file data")});
        QCOMPARE(run(dialog, load, valid, {QMessageBox::No}), QStringList{question(valid)});
        QCOMPARE(run(dialog, load, illegal, {QMessageBox::Yes, QMessageBox::Ok}),
                 (QStringList{question(illegal), QStringLiteral("Illegal specifications for probe KESTRION")}));
        QCOMPARE(entry.track().specifications(), old);
        QVERIFY(!dialog.specificationsLoaded());

        QCOMPARE(run(dialog, load, valid, {QMessageBox::Yes}), QStringList{question(valid)});
        QCOMPARE(entry.track().specifications(), kestrionBlock(9));
        QVERIFY(dialog.specificationsLoaded());
        QCOMPARE(dialog.sTextBrowser->toPlainText(), shown);

        // The entry's name follows the word "Track".
        entry.track().setProbeId(ProbeId(7, 8));
        QCOMPARE(run(dialog, load, illegal, {QMessageBox::Yes, QMessageBox::Ok}).value(1),
                 QStringLiteral("Track Track 1 has unknown probe (7::8)"));
        QCOMPARE(entry.track().specifications(), kestrionBlock(9));
    }

    void loadingMarksTheProjectModified()
    {
        const QString valid = path("valid.bin");
        writeFileBytes(valid, kestrionBlock(9));
        TrackBlock block;
        block.appendEntry(kestrionEntry());
        TrackBlockWidget widget(&block);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QSignalSpy modified(&widget, &TrackBlockWidget::modified);
        auto* row = qobject_cast<TrackBlockEntryLineWidget*>(widget.layout()->itemAt(1)->widget());

        // Looked at and closed, or answered No: nothing to save.
        for (int answer : {0, int(QMessageBox::No), int(QMessageBox::Yes)}) {
            TestSupport::onNextModal([&](QWidget* modal) {
                auto* dialog = qobject_cast<TrackBlockEntryInfoDialog*>(modal);
                QVERIFY(dialog != nullptr && dialog->parentWidget() == nullptr);
                if (answer)
                    run(*dialog, &TrackBlockEntryInfoDialog::loadSpecifications, valid, {answer});
                dialog->buttonBox->button(QDialogButtonBox::Ok)->click();
            });
            QTest::mouseClick(row->infoToolButton, Qt::LeftButton);
            QCOMPARE(modified.count(), answer == QMessageBox::Yes ? 1 : 0);
        }
        QCOMPARE(block.entry(0).track().specifications(), kestrionBlock(9));
    }

    void saveFiles()
    {
        TrackBlockEntry entry = kestrionEntry();
        entry.setSpecifications(kestrionBlock(11) + QByteArray("\r\n\0\xFF", 4));
        TrackBlockEntryInfoDialog dialog(&entry);
        const QString specs = path("saved.bin");
        QVERIFY(run(dialog, &TrackBlockEntryInfoDialog::saveSpecifications, specs, {}).isEmpty());
        QCOMPARE(fileBytes(specs), entry.track().specifications());

        // A new or empty file is written without a question; a full one after it.
        const auto save = &TrackBlockEntryInfoDialog::saveRawData;
        const QString raw = path("raw.txt");
        const QStringList append{QStringLiteral("File is not empty. Append data?")};
        QVERIFY(run(dialog, save, raw, {}).isEmpty());
        const QByteArray once = fileBytes(raw);
        QVERIFY(once.startsWith("X[m] Y[m] Z[m] V.Re[1] "));
        writeFileBytes(raw, QByteArray());
        QVERIFY(run(dialog, save, raw, {}).isEmpty());
        QCOMPARE(fileBytes(raw), once);
        QCOMPARE(run(dialog, save, raw, {QMessageBox::Cancel}), append);
        QCOMPARE(fileBytes(raw), once);
        QCOMPARE(run(dialog, save, raw, {QMessageBox::Yes}), append);
        QCOMPARE(fileBytes(raw), once + once);
        dialog.includeDataHeadersCheckBox->setChecked(false);
        QCOMPARE(run(dialog, save, raw, {QMessageBox::No}), append);
        QCOMPARE(fileBytes(raw), once.mid(once.indexOf('\n') + 1));
        QCOMPARE(run(dialog, save, QStringLiteral("/dev/full"), {QMessageBox::Ok}),
                 QStringList{QStringLiteral("Can not write data to file")});

        entry.track().setProbeId(ProbeId(3, 0));
        QCOMPARE(run(dialog, save, path("unknown.txt"), {QMessageBox::Ok}),
                 QStringList{QStringLiteral("Project data contain unknown probe")});
        QVERIFY(!QFile::exists(path("unknown.txt")));
    }
};

TUNDRACK_TEST(TrackBlockEntryInfoDialogTest)
#include "trackblockentryinfodialogtest.moc"
