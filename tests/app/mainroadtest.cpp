#include "common/sessionwriter.h"
#include "common/testregistry.h"
#include "common/testsupport.h"
#include "probes/probebytes.h"

#include "app/mainwindow.h"
#include "app/projectfile.h"
#include "app/samplecollector.h"
#include "app/trackblockentryinfodialog.h"
#include "app/trackblockentrylinewidget.h"
#include "app/trackblocklistwidget.h"
#include "app/trackblockwidget.h"
#include "planmap/planmapplot.h"
#include "planmap/pplotpolygonpicker.h"
#include "slices/addslicedialog.h"
#include "slices/rangedialog.h"
#include "slices/sliceobjectlinewidget.h"
#include "slices/sliceobjectlist.h"
#include "slices/sliceobjectlistwidget.h"
#include "slices/sliceplot.h"
#include "slices/slicewidget.h"
#include "survey/trackblocklist.h"

#include <qwt_plot_curve.h>

#include <QAction>
#include <QBuffer>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>
#include <unistd.h>

using TestSupport::acceptNextFileDialog;
using TestSupport::answerNextMessageBox;
using TestSupport::onNextModal;

namespace {

QList<Track> simulatorSurvey()
{
    QList<Track> tracks;
    for (int t = 0; t < 5; ++t) {
        QList<QByteArray> records;
        for (int i = 0; i < 25; ++i) {
            const int v = 10 + (i + 2 * t) % 20;
            records.append(SessionWriter::simulatorRecord({v, v + 2, v + 4, v + 6, v + 8}, {1, 1, 1, 1, 1}));
        }
        tracks.append(SessionWriter::track(ProbeId(0, 0), QByteArray("\1\2\3\4\5", 5), records, t * 2.5, 10.0));
    }
    return tracks;
}

QList<Track> kestrionSurvey()
{
    ProbeBytes::KestrionBlock block;
    block.mode = 1;
    QList<Track> tracks;
    for (int t = 0; t < 3; ++t) {
        QList<QByteArray> records;
        for (int i = 0; i < 25; ++i) {
            ProbeBytes::RawRecordBytes record;
            for (int channel = 0; channel < 3; ++channel)
                record.setChannel(channel, 128 * (1000 + 10 * ((i + t) % 7)), 128 * 1000, 1000, 0);
            records.append(record.bytes);
        }
        tracks.append(SessionWriter::track(ProbeId(1, 0), block.bytes(), records, 40.0 + t * 2.5, 10.0));
    }
    return tracks;
}

// Three tracks of 25 records at 10 m height, every one of the 14 frequencies measured.
QList<Track> legacySurvey()
{
    const QByteArray specifications = ProbeBytes::LegacyBlock::plain().bytes();
    QList<Track> tracks;
    for (int t = 0; t < 3; ++t) {
        QList<QByteArray> records;
        for (int i = 0; i < 25; ++i) {
            ProbeBytes::RawRecordBytes record;
            for (int f = 0; f < 14; ++f)
                record.setChannel(f, 128 * (3 + (i + t + f) % 5), 128 * 4, 3000, 4000);
            records.append(record.bytes);
        }
        tracks.append(SessionWriter::track(ProbeId(254, 254), specifications, records, t * 2.5, 10.0));
    }
    return tracks;
}

QAction* action(MainWindow& window, const char* name)
{
    return window.findChild<QAction*>(QLatin1String(name));
}

bool waitFor(const std::function<bool()>& condition, int timeoutMs = 60000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < timeoutMs)
        QTest::qWait(10);
    return condition();
}

bool enterSlicesMode(MainWindow& window)
{
    onNextModal([](QWidget* widget) {
        if (auto* range = qobject_cast<RangeDialog*>(widget))
            QTest::mouseClick(range->buttonBox->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    action(window, "slicesAction")->trigger();
    return waitFor([&window]() { return window.mode() == MainWindow::SlicesMode; });
}

// A vertical slice from (0, y) to (20, y) through the add-slice dialog.
void addVerticalSlice(MainWindow& window, double y)
{
    AddSliceDialog* add = window.addSliceDialog();
    action(window, "addSliceAction")->trigger();
    QTest::mouseClick(add->vRadioButton, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    for (auto [edit, text] : {std::pair<QLineEdit*, QString>{add->v_x1LineEdit, "0"},
                              {add->v_y1LineEdit, QString::number(y)},
                              {add->v_x2LineEdit, "20"},
                              {add->v_y2LineEdit, QString::number(y)}}) {
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    QTest::mouseClick(add->buttonBox->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

void choose(QMenu* menu, int index)
{
    QAction* item = menu->actions().at(index);
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(item).center());
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList lines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class MainRoadTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    QString writeSession(const QString& name, const QList<Track>& tracks)
    {
        SessionWriter::write(path(name), {{QStringLiteral("latitude"), QStringLiteral("59.9")}}, tracks);
        return path(name);
    }

    static void loadThroughMenu(MainWindow& window, const QStringList& paths)
    {
        acceptNextFileDialog(paths);
        action(window, "loadDataAction")->trigger();
    }

private slots:
    void init() { TestSupport::clearAllSettings(); }

    void wholeRoad()
    {
        const QString simulator = writeSession(QStringLiteral("simulator.kv"), simulatorSurvey());
        const QString kestrion = writeSession(QStringLiteral("kestrion.kv"), kestrionSurvey());
        const QString project = path(QStringLiteral("road.td"));
        {
            MainWindow window;
            window.show();
            loadThroughMenu(window, {simulator, kestrion});
            QCOMPARE(window.trackBlockList()->count(), 2);
            QVERIFY(window.isModified());

            // Switch the second simulator track off through its row.
            auto* blockRow = window.trackBlockListWidget()->findChildren<TrackBlockWidget*>().first();
            const QList<TrackBlockEntryLineWidget*> entryRows = blockRow->findChildren<TrackBlockEntryLineWidget*>();
            QCOMPARE(entryRows.size(), 5);
            QTest::mouseClick(entryRows.at(1)->checkBox, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
            QVERIFY(!window.trackBlockList()->block(0).entry(1).isEnabled());
            QVERIFY(!window.trackBlockList()->block(0).entry(1).curve()->isVisible());

            QVERIFY(enterSlicesMode(window));

            // A vertical and a horizontal slice through the add-slice dialog.
            addVerticalSlice(window, 5);
            AddSliceDialog* add = window.addSliceDialog();
            action(window, "addSliceAction")->trigger();
            QTest::mouseClick(add->hRadioButton, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
            add->h_heightLineEdit->setText(QStringLiteral("7.5"));
            add->h_x2LineEdit->setText(QStringLiteral("20"));
            add->h_x3LineEdit->setText(QStringLiteral("20"));
            QTest::mouseClick(add->buttonBox->button(QDialogButtonBox::Ok), Qt::LeftButton);
            QCOMPARE(window.sliceObjectList()->count(), 2);
            QCOMPARE(window.sliceObjectList()->at(0)->polygon().size(), 2);
            QCOMPARE(window.sliceObjectList()->at(1)->polygon().size(), 4);
            QCOMPARE(window.sliceObjectList()->at(1)->height(), 7.5);
            QCOMPARE(window.sliceObjectList()->at(1)->title(), QStringLiteral("#2"));

            // View and export each slice.
            const QList<SliceObjectLineWidget*> sliceRows =
                window.sliceObjectListWidget()->findChildren<SliceObjectLineWidget*>();
            QCOMPARE(sliceRows.size(), 2);
            for (int s = 0; s < 2; ++s) {
                QTest::mouseClick(sliceRows.at(s)->viewToolButton, Qt::LeftButton);
                QVERIFY(waitFor([&window]() { return !window.sliceWidget()->isWaiting(); }));
                const SliceRasterData& data = window.slicePlot()->data();
                QVERIFY(data.columns() > 0);
                QVERIFY(data.mask().contains(true));

                const QString surfer = path(QStringLiteral("slice%1.dat").arg(s));
                acceptNextFileDialog({surfer}, QStringLiteral("Surfer Data Files (*.dat)"));
                QTest::mouseClick(window.sliceWidget()->exportPushButton, Qt::LeftButton);
                QVERIFY(lines(surfer).size() == data.mask().count(true));
                const QStringList blank = lines(path(QStringLiteral("slice%1.bln").arg(s)));
                QCOMPARE(blank.first(), QStringLiteral("%1 0").arg(data.outline().size()));
                QCOMPARE(blank.size(), data.outline().size() + 1);

                const QString png = path(QStringLiteral("slice%1.png").arg(s));
                acceptNextFileDialog({png}, QStringLiteral("Portable Network Graphics (*.png)"));
                QTest::mouseClick(window.sliceWidget()->exportPushButton, Qt::LeftButton);
                const QImage image(png);
                QVERIFY(!image.isNull());
                QCOMPARE(image.size(), window.slicePlot()->size());
            }

            window.sliceObjectList()->at(1)->setEnabled(false);
            acceptNextFileDialog({project});
            action(window, "saveProjectAction")->trigger();
            QVERIFY(!window.isModified());
            QCOMPARE(window.windowTitle(), QStringLiteral("Tundrack 4.05 - road"));

            // Opening it again replaces the project with what was saved.
            acceptNextFileDialog({project});
            action(window, "openProjectAction")->trigger();
            QCOMPARE(window.mode(), int(MainWindow::LayoutMode));
            QCOMPARE(window.windowTitle(), QStringLiteral("Tundrack 4.05 - road"));
            QVERIFY(!window.isModified());
            TrackBlockList& blocks = *window.trackBlockList();
            QCOMPARE(blocks.count(), 2);
            QCOMPARE(blocks.block(0).name(), QStringLiteral("simulator.kv"));
            QCOMPARE(blocks.block(1).name(), QStringLiteral("kestrion.kv"));
            QCOMPARE(blocks.block(0).entryCount(), 5);
            QCOMPARE(blocks.block(1).entryCount(), 3);
            QVERIFY(!blocks.block(0).entry(1).isEnabled());
            QVERIFY(blocks.block(0).entry(0).isEnabled());
            QCOMPARE(blocks.block(1).entry(2).track().records().size(), 25);
            QCOMPARE(blocks.block(1).info().value(QStringLiteral("latitude")), QStringLiteral("59.9"));
            // Curves and rows are made anew; a disabled entry's curve stays hidden.
            QVERIFY(!blocks.block(0).entry(1).curve()->isVisible());
            QVERIFY(blocks.block(0).entry(0).curve()->isVisible());
            QCOMPARE(window.trackBlockListWidget()->findChildren<TrackBlockWidget*>().size(), 2);
            SliceObjectList& slices = *window.sliceObjectList();
            QCOMPARE(slices.count(), 2);
            QCOMPARE(slices.at(0)->polygon(), QPolygonF(QVector<QPointF>{QPointF(0, 5), QPointF(20, 5)}));
            QCOMPARE(slices.at(1)->height(), 7.5);
            QVERIFY(slices.at(0)->isEnabled());
            QVERIFY(!slices.at(1)->isEnabled());
            QCOMPARE(window.sliceObjectListWidget()->findChildren<SliceObjectLineWidget*>().size(), 2);
            // Opened in Layout mode: every outline hidden until Slices mode.
            const QwtPlotItemList outlines = window.planMapPlot()->itemList(QwtPlotItem::Rtti_PlotUserItem + 3);
            QCOMPARE(outlines.size(), 2);
            for (QwtPlotItem* outline : outlines)
                QVERIFY(!outline->isVisible());
            QVERIFY(enterSlicesMode(window));
            QVERIFY(slices.at(0)->curve()->isVisible());
            QVERIFY(!slices.at(1)->curve()->isVisible());
        }
    }

    void legacyRoad()
    {
        const QString session = writeSession(QStringLiteral("legacy.kv"), legacySurvey());
        MainWindow window;
        window.show();
        loadThroughMenu(window, {session});
        TrackBlockList& blocks = *window.trackBlockList();
        QCOMPARE(blocks.count(), 1);
        const QList<TrackBlockWidget*> rows = window.trackBlockListWidget()->findChildren<TrackBlockWidget*>();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first()->findChildren<TrackBlockEntryLineWidget*>().size(), 3);
        QCOMPARE(window.planMapPlot()->itemList(QwtPlotItem::Rtti_PlotUserItem + 1).size(), 3);
        QVERIFY(blocks.block(0).entry(2).curve()->isVisible());
        QCOMPARE(int(blocks.block(0).entry(2).curve()->dataSize()), 25);
        QList<double> values;
        blocks.block(0).entry(0).values(values);
        QCOMPARE(values.size(), 25 * 14);
        TrackBlockEntryInfoDialog info(&blocks.block(0).entry(0));
        QCOMPARE(info.zLineEdit->text(), QStringLiteral("VKT/TALVIN"));
        QVERIFY(info.sTextBrowser->toPlainText().startsWith(QStringLiteral("#7\n5/11/2008\n\nF[1] = 10\n")));

        // No unknown probe: 14 samples a record, the deepest 9.996 m down.
        QList<Point3D> bottom;
        QList<double> samples;
        QVERIFY(SampleCollector::collect(blocks, &bottom, nullptr, &samples, -1e200, 1e200));
        QCOMPARE(samples.size(), 75 * 14 * 4);
        QCOMPARE(bottom.size(), 75);
        QCOMPARE(bottom.first().z(), 10.0 - 9.996);

        // Models, and a vertical slice through the middle track.
        QVERIFY(enterSlicesMode(window));
        addVerticalSlice(window, 2.5);
        const QList<SliceObjectLineWidget*> sliceRows =
            window.sliceObjectListWidget()->findChildren<SliceObjectLineWidget*>();
        QCOMPARE(sliceRows.size(), 1);
        QTest::mouseClick(sliceRows.first()->viewToolButton, Qt::LeftButton);
        QVERIFY(waitFor([&window]() { return !window.sliceWidget()->isWaiting(); }));
        const SliceRasterData& data = window.slicePlot()->data();
        QVERIFY(data.columns() > 0);
        QVERIFY(data.mask().contains(true));
        // Resistivities of moduli 0.0005 to 0.0009 (about 0.5 to 0.9 Ohm*m).
        for (int i = 0; i < data.mask().size(); ++i) {
            if (data.hasData(i))
                QVERIFY2(data.values().at(i) > 0.4 && data.values().at(i) < 1.1, qPrintable(QString::number(data.values().at(i))));
        }
    }

    void loadDataFailures()
    {
        const QString good1 = writeSession(QStringLiteral("good1.kv"), simulatorSurvey());
        const QString good2 = writeSession(QStringLiteral("good2.kv"), simulatorSurvey());
        const QString bad = path(QStringLiteral("bad.kv"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a session");
        file.close();

        MainWindow window;
        QString text;
        answerNextMessageBox(QMessageBox::Ignore, &text);
        loadThroughMenu(window, {good1, bad, good2});
        QCOMPARE(window.trackBlockList()->count(), 2);
        QCOMPARE(text, QStringLiteral("Can not load file %1").arg(bad));

        answerNextMessageBox(QMessageBox::Abort);
        loadThroughMenu(window, {good1, bad, good2});
        QCOMPARE(window.trackBlockList()->count(), 3);
        QCOMPARE(window.trackBlockListWidget()->findChildren<TrackBlockWidget*>().size(), 3);

        // A cancelled dialog loads nothing.
        TestSupport::rejectNextFileDialog();
        action(window, "loadDataAction")->trigger();
        QCOMPARE(window.trackBlockList()->count(), 3);
    }

    void saveOntoFullDisk()
    {
        if (geteuid() != 0)
            QSKIP("mounting a small file system needs root");
        QTemporaryDir mountPoint;
        const QByteArray where = QFile::encodeName(mountPoint.path());
        // Nine pages: the old project takes one and leaves 32,768 bytes free.
        if (mount("tmpfs", where.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=36864") != 0)
            QSKIP("no small file system could be mounted here");
        auto unmount = qScopeGuard([&where] { umount2(where.constData(), MNT_DETACH); });

        MainWindow window;
        const QString target = mountPoint.filePath(QStringLiteral("survey.td"));
        acceptNextFileDialog({target});
        QVERIFY(window.saveProject());
        const QByteArray old = contents(target);
        QCOMPARE(old, QByteArray(8, '\0'));

        // A project a little larger than the free space: only the writer's
        // last flush fails.
        QList<Track> tracks;
        for (int t = 0; t < 4; ++t) {
            QList<QByteArray> records;
            for (int i = 0; i < 165; ++i)
                records.append(SessionWriter::simulatorRecord({i, t, 1, 2, 3}, {1, 1, 1, 1, 1}));
            tracks.append(SessionWriter::track(ProbeId(0, 0), QByteArray("\1\2\3\4\5", 5), records, t * 2.5));
        }
        loadThroughMenu(window, {writeSession(QStringLiteral("large.kv"), tracks)});
        QBuffer project;
        QVERIFY(project.open(QIODevice::WriteOnly));
        QVERIFY(ProjectFile::write(project, *window.trackBlockList(), *window.sliceObjectList()));
        QVERIFY(project.size() > 32768 && project.size() < 36000);

        // Yes, replace the old project; then the warning.
        QString text;
        acceptNextFileDialog({target});
        answerNextMessageBox(QMessageBox::Yes);
        answerNextMessageBox(QMessageBox::Ok, &text);
        QVERIFY(!window.saveProject());
        QCOMPARE(text, QStringLiteral("Can not save project"));
        QVERIFY(window.isModified());
        QCOMPARE(contents(target), old);
        QCOMPARE(QDir(mountPoint.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({QStringLiteral("survey.td")}));
    }

    void saveAndOpenFailures()
    {
        const QString session = writeSession(QStringLiteral("s.kv"), simulatorSurvey());
        MainWindow window;
        loadThroughMenu(window, {session});

        // A folder that is not there: the warning, and nothing changes.
        QString text;
        answerNextMessageBox(QMessageBox::Ok, &text);
        acceptNextFileDialog({path(QStringLiteral("missing/folder.td"))});
        QVERIFY(!window.saveProject());
        QCOMPARE(text, QStringLiteral("Can not save project"));
        QVERIFY(window.isModified());
        QCOMPARE(window.projectName(), QStringLiteral("New project"));

        // Saving over a project replaces it only with a complete file.
        const QString target = path(QStringLiteral("x.td.td"));
        acceptNextFileDialog({target});
        QVERIFY(window.saveProject());
        QCOMPARE(window.projectName(), QStringLiteral("x"));
        const qint64 size = QFileInfo(target).size();
        QVERIFY(size > 8);

        // A damaged project: the warning, then an empty new project.
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        file.close();
        const QString damaged = path(QStringLiteral("damaged.td"));
        QFile out(damaged);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes.left(bytes.size() / 2));
        out.close();
        answerNextMessageBox(QMessageBox::Ok, &text);
        acceptNextFileDialog({damaged});
        window.openProject();
        QCOMPARE(text, QStringLiteral("Can not open project"));
        QCOMPARE(window.trackBlockList()->count(), 0);
        QCOMPARE(window.sliceObjectList()->count(), 0);
        QCOMPARE(window.projectName(), QStringLiteral("New project"));
        QVERIFY(!window.isModified());
        QCOMPARE(window.trackBlockListWidget()->findChildren<TrackBlockWidget*>().size(), 0);

        // A project with deleted blocks and slices opens without them.
        TrackBlockList blocks;
        QVERIFY(blocks.loadSession(session));
        QVERIFY(blocks.loadSession(session));
        blocks.block(0).markDeleted();
        SliceObjectList slices;
        SliceObject gone;
        gone.setDeleted();
        slices.append(gone);
        SliceObject kept;
        kept.setTitle(QStringLiteral("kept"));
        slices.append(kept);
        const QString withDeleted = path(QStringLiteral("deleted.td"));
        QFile deletedFile(withDeleted);
        QVERIFY(deletedFile.open(QIODevice::WriteOnly));
        QDataStream stream(&deletedFile);
        stream.setVersion(QDataStream::Qt_5_2);
        stream << blocks << slices;
        deletedFile.close();
        acceptNextFileDialog({withDeleted});
        window.openProject();
        QCOMPARE(window.trackBlockList()->count(), 1);
        QCOMPARE(window.sliceObjectList()->count(), 1);
        QCOMPARE(window.sliceObjectList()->at(0)->title(), QStringLiteral("kept"));
        QCOMPARE(window.trackBlockListWidget()->findChildren<TrackBlockWidget*>().size(), 1);
        QCOMPARE(window.sliceObjectListWidget()->findChildren<SliceObjectLineWidget*>().size(), 1);
    }

    void polygonDeleteAndFixMarkTheProjectModified()
    {
        QList<Track> tracks = simulatorSurvey();
        const QString session = writeSession(QStringLiteral("p.kv"), tracks);
        MainWindow window;
        loadThroughMenu(window, {session});
        const QString project = path(QStringLiteral("p.td"));
        acceptNextFileDialog({project});
        QVERIFY(window.saveProject());
        QVERIFY(!window.isModified());
        PPlotPolygonPicker* picker = window.polygonPicker();
        QVERIFY(picker);

        // Records 3 to 5 of the first track (y = 0), x from 2.5 to 5.5.
        const QVector<QPointF> around{QPointF(2.5, -1), QPointF(5.5, -1), QPointF(5.5, 1), QPointF(2.5, 1)};

        // Closing the menu without a choice changes nothing.
        TestSupport::onNextPopup([](QMenu* menu) { menu->close(); });
        emit picker->selected(around);
        QVERIFY(!window.isModified());
        QCOMPARE(window.trackBlockList()->block(0).entry(0).track().records().size(), 25);

        // Fix: the records go onto the line between records 2 and 6, shown as red crosses.
        TestSupport::onNextPopup([](QMenu* menu) { choose(menu, 1); });
        emit picker->selected(around);
        QVERIFY(window.isModified());
        const TrackBlockEntry& entry = window.trackBlockList()->block(0).entry(0);
        QVERIFY(entry.track().records().at(4).isFixed());
        QCOMPARE(int(entry.fixedCurve()->dataSize()), 3);

        // Delete after a save marks the project modified again (the file
        // dialog asks before it replaces the saved project).
        acceptNextFileDialog({project});
        answerNextMessageBox(QMessageBox::Yes);
        QVERIFY(window.saveProject());
        TestSupport::onNextPopup([](QMenu* menu) { choose(menu, 0); });
        emit picker->selected(around);
        QVERIFY(window.isModified());
        QCOMPARE(entry.track().records().size(), 22);
        QCOMPARE(int(entry.curve()->dataSize()), 22);

        // Closing now asks to save instead of losing the edit.
        QString question;
        answerNextMessageBox(QMessageBox::No, &question);
        window.show();
        QVERIFY(window.close());
        QCOMPARE(question, QStringLiteral("Save current project?"));
    }
};

TUNDRACK_TEST(MainRoadTest)
#include "mainroadtest.moc"
