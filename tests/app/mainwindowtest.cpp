#include "common/queuedsignalspy.h"
#include "common/sessionwriter.h"
#include "common/testregistry.h"
#include "common/testsupport.h"

#include "app/mainwindow.h"
#include "app/trackblocklistwidget.h"
#include "app/trackblockentrylinewidget.h"
#include "app/trackblockwidget.h"
#include "planmap/planmapplot.h"
#include "slices/addslicedialog.h"
#include "slices/rangedialog.h"
#include "slices/sliceobjectlist.h"
#include "slices/sliceobjectlistwidget.h"
#include "slices/sliceobjectlinewidget.h"
#include "slices/slicewidget.h"
#include "slices/xadialog.h"
#include "slices/xathread.h"
#include "survey/processoptionsstore.h"
#include "survey/trackblocklist.h"

#include <qwt_plot_curve.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using TestSupport::answerNextMessageBox;
using TestSupport::onNextModal;

namespace {

// A simulator survey: tracks along x, one record per metre, every channel valid.
QList<Track> simulatorTracks(int tracks, int records, double y0 = 0.0)
{
    QList<Track> result;
    for (int t = 0; t < tracks; ++t) {
        QList<QByteArray> data;
        for (int i = 0; i < records; ++i) {
            const int v = (i * 7 + t * 13) % 50;
            data.append(SessionWriter::simulatorRecord({v, v + 1, v + 2, v + 3, v + 4}, {1, 1, 1, 1, 1}));
        }
        result.append(SessionWriter::track(ProbeId(0, 0), QByteArray("\1\2\3\4\5", 5), data, y0 + t * 5.0, 10.0));
    }
    return result;
}

QAction* action(MainWindow& window, const char* name)
{
    return window.findChild<QAction*>(QLatin1String(name));
}

// Accepts the next range dialog as it opens ("All values").
void acceptNextRange()
{
    onNextModal([](QWidget* widget) {
        if (auto* range = qobject_cast<RangeDialog*>(widget))
            QTest::mouseClick(range->buttonBox->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString session(const QString& name, const QList<Track>& tracks)
    {
        const QString path = m_dir.filePath(name);
        SessionWriter::write(path, {{QStringLiteral("latitude"), QStringLiteral("59.9")}}, tracks);
        return path;
    }

    static void loadThroughMenu(MainWindow& window, const QStringList& paths)
    {
        TestSupport::acceptNextFileDialog(paths);
        action(window, "loadDataAction")->trigger();
    }

    // Enters Slices mode through the range dialog and waits for the models.
    static bool enterSlicesMode(MainWindow& window)
    {
        acceptNextRange();
        action(window, "slicesAction")->trigger();
        QElapsedTimer clock;
        clock.start();
        while (window.mode() != MainWindow::SlicesMode && clock.elapsed() < 60000)
            QTest::qWait(10);
        return window.mode() == MainWindow::SlicesMode;
    }

    static void checkLayoutMode(MainWindow& window)
    {
        QCOMPARE(window.mode(), int(MainWindow::LayoutMode));
        QVERIFY(!action(window, "layoutAction")->isEnabled());
        QVERIFY(action(window, "layoutAction")->isChecked());
        QVERIFY(action(window, "slicesAction")->isEnabled());
        QVERIFY(!action(window, "slicesAction")->isChecked());
        QVERIFY(action(window, "loadDataAction")->isEnabled());
        QVERIFY(!action(window, "addSliceAction")->isEnabled());
        QVERIFY(action(window, "preferencesAction")->isEnabled());
        QVERIFY(action(window, "processingOptionsAction")->isEnabled());
        QVERIFY(!window.findChild<QDockWidget*>(QStringLiteral("layoutDock"))->isHidden());
        QVERIFY(window.findChild<QDockWidget*>(QStringLiteral("slicesDock"))->isHidden());
        QVERIFY(window.sliceWidget()->isHidden());
        for (const char* name : {"newProjectAction", "saveProjectAction", "openProjectAction", "exportDataAction",
                                 "converterAction", "aboutAction", "aboutQtAction"})
            QVERIFY(action(window, name)->isEnabled());
    }

    static void checkSlicesMode(MainWindow& window)
    {
        QCOMPARE(window.mode(), int(MainWindow::SlicesMode));
        QVERIFY(action(window, "layoutAction")->isEnabled());
        QVERIFY(!action(window, "layoutAction")->isChecked());
        QVERIFY(!action(window, "slicesAction")->isEnabled());
        QVERIFY(action(window, "slicesAction")->isChecked());
        QVERIFY(!action(window, "loadDataAction")->isEnabled());
        QVERIFY(action(window, "addSliceAction")->isEnabled());
        QVERIFY(!action(window, "preferencesAction")->isEnabled());
        QVERIFY(!action(window, "processingOptionsAction")->isEnabled());
        QVERIFY(window.findChild<QDockWidget*>(QStringLiteral("layoutDock"))->isHidden());
        QVERIFY(!window.findChild<QDockWidget*>(QStringLiteral("slicesDock"))->isHidden());
        QVERIFY(!window.sliceWidget()->isHidden());
        QVERIFY(!window.xaDialog()->isVisible());
    }

private slots:
    void init() { TestSupport::clearAllSettings(); }

    void freshWindow()
    {
        MainWindow window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Tundrack 4.05 - New project"));
        QCOMPARE(window.projectName(), QStringLiteral("New project"));
        QVERIFY(!window.isModified());
        QCOMPARE(window.trackBlockList()->count(), 0);
        QCOMPARE(window.sliceObjectList()->count(), 0);
        checkLayoutMode(window);

        // Four menus with the thirteen actions in order.
        const QList<QAction*> menus = window.menuBar()->actions();
        QCOMPARE(menus.size(), 4);
        QStringList titles;
        for (QAction* menu : menus)
            titles << menu->text();
        QCOMPARE(titles, (QStringList{"Project", "Mode", "Tools", "Help"}));
        QStringList texts;
        QStringList shortcuts;
        for (QAction* menu : menus) {
            for (QAction* item : menu->menu()->actions()) {
                texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
                shortcuts << item->shortcut().toString();
            }
        }
        QCOMPARE(texts, (QStringList{"New project", "Save project", "Open project", "-", "Load data", "Export data", "-",
                                     "Add slice", "Layout", "Slices", "Preferences", "Processing options", "Converter",
                                     "About Tundrack", "About Qt"}));
        QCOMPARE(shortcuts, (QStringList{"Ctrl+N", "Ctrl+S", "Ctrl+O", "", "Ctrl+D", "Ctrl+E", "", "Ctrl+A", "Alt+1",
                                         "Alt+2", "", "", "", "", ""}));
        QVERIFY(!action(window, "newProjectAction")->icon().isNull());
        QVERIFY(!action(window, "aboutQtAction")->icon().isNull());
        QVERIFY(action(window, "layoutAction")->icon().isNull());
        QVERIFY(action(window, "slicesAction")->isCheckable());

        // The docks cannot be moved, floated or closed.
        auto* dock = window.findChild<QDockWidget*>(QStringLiteral("layoutDock"));
        QCOMPARE(dock->features(), QDockWidget::NoDockWidgetFeatures);
        QCOMPARE(window.dockWidgetArea(dock), Qt::LeftDockWidgetArea);
        QCOMPARE(dock->windowTitle(), QStringLiteral("Layout"));
    }

    void maybeSaveAnswers()
    {
        MainWindow window;
        QVERIFY(window.maybeSave());
        window.setModified();

        QString question;
        answerNextMessageBox(QMessageBox::No, &question);
        QVERIFY(window.maybeSave());
        QCOMPARE(question, QStringLiteral("Save current project?"));
        answerNextMessageBox(QMessageBox::Cancel);
        QVERIFY(!window.maybeSave());

        // Yes saves; a cancelled save dialog keeps the project.
        onNextModal([](QWidget* box) {
            TestSupport::rejectNextFileDialog();
            qobject_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click();
        });
        QVERIFY(!window.maybeSave());
        QVERIFY(window.isModified());

        const QString path = m_dir.filePath(QStringLiteral("saved.td"));
        onNextModal([path](QWidget* box) {
            TestSupport::acceptNextFileDialog({path});
            qobject_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click();
        });
        QVERIFY(window.maybeSave());
        QVERIFY(!window.isModified());
        QVERIFY(QFile::exists(path));
        QCOMPARE(window.windowTitle(), QStringLiteral("Tundrack 4.05 - saved"));

        // Closing with changes and Cancel keeps the window.
        window.show();
        window.setModified();
        answerNextMessageBox(QMessageBox::Cancel);
        QVERIFY(!window.close());
        QVERIFY(window.isVisible());
        answerNextMessageBox(QMessageBox::No);
        QVERIFY(window.close());
    }

    void saveOffersTheProjectFile()
    {
        MainWindow window;
        const QString folder = m_dir.filePath(QStringLiteral("projects"));
        QVERIFY(QDir().mkpath(folder));
        // Notes what the save dialog offers, then saves under the given name.
        QString offered;
        auto saveAs = [&offered](const QString& directory, const QString& name) {
            onNextModal([&offered, directory, name](QWidget* widget) {
                auto* dialog = qobject_cast<QFileDialog*>(widget);
                offered = dialog->selectedFiles().value(0);
                if (!directory.isEmpty())
                    dialog->setDirectory(directory);
                if (!name.isEmpty())
                    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
                // Replacing the file it came from is confirmed.
                if (QFile::exists(dialog->selectedFiles().value(0)))
                    answerNextMessageBox(QMessageBox::Yes);
                QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
            });
        };

        // A new project offers its name; typed without extension it becomes a project file.
        saveAs(folder, QStringLiteral("survey1"));
        QVERIFY(window.saveProject());
        QCOMPARE(QFileInfo(offered).fileName(), QStringLiteral("New project.td"));
        const QString file = QDir(folder).filePath(QStringLiteral("survey1.td"));
        QVERIFY(QFile::exists(file));
        QVERIFY(!QFile::exists(QDir(folder).filePath(QStringLiteral("survey1"))));

        // Later saves offer that file in its folder, wherever the user browsed meanwhile.
        loadThroughMenu(window, {session(QStringLiteral("elsewhere.kv"), simulatorTracks(1, 5))});
        saveAs(QString(), QString());
        QVERIFY(window.saveProject());
        QCOMPARE(offered, file);
        QVERIFY(!window.isModified());
        action(window, "newProjectAction")->trigger();
        QVERIFY(window.projectFileName().isEmpty());
    }

    void newProjectResets()
    {
        MainWindow window;
        loadThroughMenu(window, {session(QStringLiteral("a.kv"), simulatorTracks(2, 20))});
        QCOMPARE(window.trackBlockList()->count(), 1);
        QVERIFY(window.isModified());
        QCOMPARE(window.trackBlockListWidget()->findChildren<TrackBlockWidget*>().size(), 1);
        QCOMPARE(window.planMapPlot()->itemList(QwtPlotItem::Rtti_PlotUserItem + 1).size(), 2);
        ProcessOptionsStore::instance()->options().insert(ProbeId(0, 0), {false, false});

        answerNextMessageBox(QMessageBox::No);
        action(window, "newProjectAction")->trigger();
        QCOMPARE(window.trackBlockList()->count(), 0);
        QCOMPARE(window.sliceObjectList()->count(), 0);
        QVERIFY(ProcessOptionsStore::instance()->options().isEmpty());
        QCOMPARE(window.windowTitle(), QStringLiteral("Tundrack 4.05 - New project"));
        QVERIFY(!window.isModified());
        QCOMPARE(window.trackBlockListWidget()->findChildren<TrackBlockWidget*>().size(), 0);
        checkLayoutMode(window);
        // Nothing to save now: closing does not ask.
        window.show();
        QVERIFY(window.close());
    }

    void slicesModeBuildCancelAndBuildAgain()
    {
        MainWindow window;
        window.show();
        loadThroughMenu(window, {session(QStringLiteral("grid.kv"), simulatorTracks(5, 30))});

        // A cancelled range dialog leaves the Slices action unchecked.
        onNextModal([](QWidget* widget) { qobject_cast<QDialog*>(widget)->reject(); });
        action(window, "slicesAction")->trigger();
        checkLayoutMode(window);

        QueuedSignalSpy progress(window.xaThread(), &XaThread::progress);
        QVERIFY(enterSlicesMode(window));
        checkSlicesMode(window);
        // The main window takes the keyboard back, for its shortcuts.
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&window));
        QCOMPARE(progress.count(), 3);
        QVERIFY(window.xaThread()->lastRunCompleted());
        QVERIFY(window.xaThread()->valueInterval().isValid());
        QCOMPARE(window.xaThread()->valueInterval().minValue(), 0.0);

        action(window, "layoutAction")->trigger();
        checkLayoutMode(window);

        // A large survey, cancelled right after the build starts.
        loadThroughMenu(window, {session(QStringLiteral("large.kv"), simulatorTracks(40, 1500, 200))});
        acceptNextRange();
        action(window, "slicesAction")->trigger();
        // Three hundred thousand samples take far longer to model than this test needs to cancel.
        QVERIFY(window.xaThread()->isRunning());
        {
            QElapsedTimer clock;
            clock.start();
            QTest::mouseClick(window.xaDialog()->buttonBox->button(QDialogButtonBox::Cancel), Qt::LeftButton);
            // Back at once, without waiting for the thread.
            QVERIFY(clock.elapsed() < 1000);
            checkLayoutMode(window);
            QVERIFY(!window.xaDialog()->isVisible());
            QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&window));
            QTRY_VERIFY_WITH_TIMEOUT(!window.xaThread()->isRunning(), 30000);
            QTest::qWait(50);
            // The cancelled build's end never leads to Slices mode.
            checkLayoutMode(window);
            QVERIFY(!window.xaThread()->lastRunCompleted());
        }

        // Building again completes.
        QVERIFY(enterSlicesMode(window));
        checkSlicesMode(window);
        QVERIFY(window.xaThread()->lastRunCompleted());
    }

    void closingWhileBuilding()
    {
        auto* window = new MainWindow;
        window->show();
        loadThroughMenu(*window, {session(QStringLiteral("large2.kv"), simulatorTracks(40, 1500))});
        acceptNextRange();
        action(*window, "slicesAction")->trigger();
        answerNextMessageBox(QMessageBox::No);
        QVERIFY(window->close());
        QElapsedTimer clock;
        clock.start();
        delete window;
        // The destructor stops the build; it does not run it to the end.
        QVERIFY(clock.elapsed() < 10000);
    }

    void unknownProbeWarnsOnce()
    {
        MainWindow window;
        QList<Track> tracks = simulatorTracks(2, 10);
        QList<Track> unknown = simulatorTracks(2, 10, 50);
        unknown[0].setProbeId(ProbeId(9, 9));
        unknown[1].setProbeId(ProbeId(8, 8));
        loadThroughMenu(window, {session(QStringLiteral("known.kv"), tracks), session(QStringLiteral("unknown.kv"), unknown)});
        QCOMPARE(window.trackBlockList()->count(), 2);
        QList<Point3D> bottom;
        QList<Point3D> top;
        QList<double> samples;
        QString text;
        int boxes = 0;
        TestSupport::onNextModal([&text, &boxes](QWidget* widget) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (!box)
                return;
            ++boxes;
            text = box->text();
            box->accept();
        });
        window.collectData(&bottom, &top, &samples, -1e200, 1e200);
        QCOMPARE(boxes, 1);
        QCOMPARE(text, QStringLiteral("Project data contain unknown probe"));
        QCOMPARE(top.size(), 20);
        QCOMPARE(samples.size(), 20 * 5 * 4);
    }

    void addSliceProposesTheNextNumber()
    {
        MainWindow window;
        loadThroughMenu(window, {session(QStringLiteral("small.kv"), simulatorTracks(3, 20))});
        QVERIFY(enterSlicesMode(window));
        AddSliceDialog* dialog = window.addSliceDialog();
        // A tool window of the main window, kept above it but below the
        // dialogs that open over it.
        QCOMPARE(dialog->parentWidget(), static_cast<QWidget*>(&window));
        QCOMPARE(dialog->windowType(), Qt::Tool);
        QVERIFY(!dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        action(window, "addSliceAction")->trigger();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->title(), QStringLiteral("#1"));
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(dialog->buttonBox->button(QDialogButtonBox::Ok), Qt::LeftButton);
        QCOMPARE(window.sliceObjectList()->count(), 3);
        QVERIFY(window.isModified());
        action(window, "addSliceAction")->trigger();
        QCOMPARE(dialog->title(), QStringLiteral("#4"));
        QCOMPARE(window.sliceObjectListWidget()->findChildren<SliceObjectLineWidget*>().size(), 3);
        // Each slice's outline is on the plan map and visible in Slices mode.
        const QwtPlotItemList curves = window.planMapPlot()->itemList(QwtPlotItem::Rtti_PlotUserItem + 3);
        QCOMPARE(curves.size(), 3);
        for (QwtPlotItem* curve : curves)
            QVERIFY(curve->isVisible());
        QVERIFY(dialog->isVisible());
        action(window, "layoutAction")->trigger();
        for (QwtPlotItem* curve : window.planMapPlot()->itemList(QwtPlotItem::Rtti_PlotUserItem + 3))
            QVERIFY(!curve->isVisible());
        // No slice is added in Layout mode.
        QVERIFY(!dialog->isVisible());

        // Closing the main window also closes the add-slice window.
        window.show();
        action(window, "slicesAction")->setChecked(false);
        dialog->show();
        answerNextMessageBox(QMessageBox::No);
        QVERIFY(window.close());
        QVERIFY(!dialog->isVisible());
    }
};

TUNDRACK_TEST(MainWindowTest)
#include "mainwindowtest.moc"
