#include "app/mainwindow.h"

#include "app/aboutdialog.h"
#include "app/converterdialog.h"
#include "app/dataexport.h"
#include "app/exportsource.h"
#include "app/polygonselection.h"
#include "app/preferencesdialog.h"
#include "app/projectfile.h"
#include "app/samplecollector.h"
#include "app/setupapplication.h"
#include "app/trackblocklistwidget.h"
#include "app/trackblockwidget.h"
#include "planmap/pcontextmenu.h"
#include "planmap/planmapplot.h"
#include "planmap/planmapplottoolwidget.h"
#include "planmap/pplotpolygonpicker.h"
#include "probes/processoptionsdialog.h"
#include "shared/applicationconstants.h"
#include "shared/preferences.h"
#include "shared/writtenfile.h"
#include "slices/addslicedialog.h"
#include "slices/rangedialog.h"
#include "slices/sliceobjectlist.h"
#include "slices/sliceobjectlistwidget.h"
#include "slices/sliceobjectwidget.h"
#include "slices/sliceplot.h"
#include "slices/slicewidget.h"
#include "slices/xadialog.h"
#include "slices/xathread.h"
#include "survey/processoptionsstore.h"
#include "survey/trackblocklist.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QKeySequence>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    initProject();
}

MainWindow::~MainWindow()
{
    stopWorkers();
    // The rows point into the project lists: they go first, and say nothing
    // to a window that is being destroyed.
    releaseRows();
    delete m_addSliceDialog;
    m_addSliceDialog = nullptr;
    delete m_xaDialog;
    m_xaDialog = nullptr;
    delete m_trackBlockList;
    m_trackBlockList = nullptr;
    delete m_sliceObjectList;
    m_sliceObjectList = nullptr;
    Preferences::destroy();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    // The add-slice window is a window of its own; it closes with the main one.
    if (m_addSliceDialog)
        m_addSliceDialog->close();
    event->accept();
}

void MainWindow::initProject()
{
    // Nothing may still compute on the models or signal into the old project
    // while it is replaced.
    stopWorkers();
    releaseRows();

    setProjectName(tr("New project"));
    m_projectFileName.clear();
    m_mode = Building;
    m_modified = false;
    resetProjectData();

    createMenus();
    createDocks();
    createCentralArea();
    createWorkers();

    ProcessOptionsStore::instance()->clear();
    delete m_addSliceDialog;
    // A tool window of the main window: above it, yet below the dialogs and
    // message boxes that open over the main window.
    m_addSliceDialog = new AddSliceDialog(this);
    connect(m_addSliceDialog, &AddSliceDialog::add, this, &MainWindow::addSlice);

    setLayoutMode();
    m_modified = false;
}

void MainWindow::stopWorkers()
{
    if (m_sliceWidget)
        m_sliceWidget->stop();
    if (m_xaThread) {
        m_builds.cancel();
        m_xaThread->requestInterruption();
        m_xaThread->wait();
    }
    if (m_xaDialog) {
        m_xaDialog->setRunning(false);
        m_xaDialog->close();
    }
}

void MainWindow::releaseRows()
{
    // Block and slice rows report from their destructors; cut them off from
    // the window before they go.
    if (m_trackBlockListWidget) {
        for (TrackBlockWidget* row : m_trackBlockListWidget->findChildren<TrackBlockWidget*>())
            disconnect(row, nullptr, this, nullptr);
        delete m_trackBlockListWidget;
        m_trackBlockListWidget = nullptr;
    }
    if (m_sliceObjectListWidget) {
        for (SliceObjectWidget* row : m_sliceObjectListWidget->findChildren<SliceObjectWidget*>()) {
            disconnect(row, nullptr, this, nullptr);
            if (m_sliceWidget)
                disconnect(row, nullptr, m_sliceWidget, nullptr);
            if (m_planMapPlot)
                disconnect(row, nullptr, m_planMapPlot, nullptr);
        }
        delete m_sliceObjectListWidget;
        m_sliceObjectListWidget = nullptr;
    }
}

void MainWindow::createMenus()
{
    QMenuBar* bar = menuBar();
    applyAppStyle(bar);
    bar->clear();
    qDeleteAll(m_menus);
    m_menus.clear();
    for (QAction* action : {m_newProjectAction, m_saveProjectAction, m_openProjectAction, m_loadDataAction,
                            m_exportDataAction, m_addSliceAction, m_layoutAction, m_slicesAction,
                            m_preferencesAction, m_processingOptionsAction, m_converterAction, m_aboutAction,
                            m_aboutQtAction})
        delete action;

    auto makeAction = [this](const QString& text, const QString& icon, const QString& shortcut,
                             const QString& name) {
        auto* action = new QAction(text, this);
        action->setObjectName(name);
        if (!icon.isEmpty())
            action->setIcon(QIcon(icon));
        if (!shortcut.isEmpty())
            action->setShortcut(QKeySequence(shortcut));
        return action;
    };
    m_newProjectAction = makeAction(tr("New project"), ":/png/new.png", "Ctrl+N", "newProjectAction");
    m_saveProjectAction = makeAction(tr("Save project"), ":/png/save.png", "Ctrl+S", "saveProjectAction");
    m_openProjectAction = makeAction(tr("Open project"), ":/png/open.png", "Ctrl+O", "openProjectAction");
    m_loadDataAction = makeAction(tr("Load data"), ":/png/disk.read.png", "Ctrl+D", "loadDataAction");
    m_exportDataAction = makeAction(tr("Export data"), ":/png/table.export.png", "Ctrl+E", "exportDataAction");
    m_addSliceAction = makeAction(tr("Add slice"), ":/png/add.png", "Ctrl+A", "addSliceAction");
    m_layoutAction = makeAction(tr("Layout"), QString(), "Alt+1", "layoutAction");
    m_slicesAction = makeAction(tr("Slices"), QString(), "Alt+2", "slicesAction");
    m_preferencesAction = makeAction(tr("Preferences"), ":/png/preferences.png", QString(), "preferencesAction");
    m_processingOptionsAction =
        makeAction(tr("Processing options"), ":/png/processing.png", QString(), "processingOptionsAction");
    m_converterAction = makeAction(tr("Converter"), ":/png/convert.png", QString(), "converterAction");
    m_aboutAction = makeAction(tr("About Tundrack"), ":/png/about.png", QString(), "aboutAction");
    m_aboutQtAction = makeAction(tr("About Qt"), ":/png/qt.png", QString(), "aboutQtAction");
    m_layoutAction->setCheckable(true);
    m_slicesAction->setCheckable(true);

    connect(m_newProjectAction, &QAction::triggered, this, &MainWindow::newProject);
    connect(m_saveProjectAction, &QAction::triggered, this, &MainWindow::saveProject);
    connect(m_openProjectAction, &QAction::triggered, this, &MainWindow::openProject);
    connect(m_loadDataAction, &QAction::triggered, this, &MainWindow::loadData);
    connect(m_exportDataAction, &QAction::triggered, this, &MainWindow::exportData);
    connect(m_addSliceAction, &QAction::triggered, this, &MainWindow::showAddSliceDialog);
    connect(m_layoutAction, &QAction::triggered, this, &MainWindow::setLayoutMode);
    connect(m_slicesAction, &QAction::triggered, this, &MainWindow::startSlicesMode);
    connect(m_preferencesAction, &QAction::triggered, this, &MainWindow::showPreferences);
    connect(m_processingOptionsAction, &QAction::triggered, this, &MainWindow::showProcessingOptions);
    connect(m_converterAction, &QAction::triggered, this, &MainWindow::showConverter);
    connect(m_aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
    connect(m_aboutQtAction, &QAction::triggered, this, &MainWindow::showAboutQt);

    QMenu* project = bar->addMenu(tr("Project"));
    project->addAction(m_newProjectAction);
    project->addAction(m_saveProjectAction);
    project->addAction(m_openProjectAction);
    project->addSeparator();
    project->addAction(m_loadDataAction);
    project->addAction(m_exportDataAction);
    project->addSeparator();
    project->addAction(m_addSliceAction);
    QMenu* modeMenu = bar->addMenu(tr("Mode"));
    modeMenu->addAction(m_layoutAction);
    modeMenu->addAction(m_slicesAction);
    QMenu* tools = bar->addMenu(tr("Tools"));
    tools->addAction(m_preferencesAction);
    tools->addAction(m_processingOptionsAction);
    tools->addAction(m_converterAction);
    QMenu* help = bar->addMenu(tr("Help"));
    help->addAction(m_aboutAction);
    help->addAction(m_aboutQtAction);
    m_menus = {project, modeMenu, tools, help};
    for (QMenu* menu : m_menus)
        applyAppStyle(menu);
}

void MainWindow::createDocks()
{
    delete m_layoutDock;
    delete m_slicesDock;

    m_trackBlockListWidget = new TrackBlockListWidget(nullptr);
    m_layoutDock = new QDockWidget(tr("Layout"), this);
    m_layoutDock->setObjectName(QStringLiteral("layoutDock"));
    m_layoutDock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    m_layoutDock->setAllowedAreas(Qt::LeftDockWidgetArea);
    m_layoutDock->setWidget(m_trackBlockListWidget);
    addDockWidget(Qt::LeftDockWidgetArea, m_layoutDock);

    m_sliceObjectListWidget = new SliceObjectListWidget(nullptr);
    m_slicesDock = new QDockWidget(tr("Slices"), this);
    m_slicesDock->setObjectName(QStringLiteral("slicesDock"));
    m_slicesDock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    m_slicesDock->setAllowedAreas(Qt::LeftDockWidgetArea);
    m_slicesDock->setWidget(m_sliceObjectListWidget);
    addDockWidget(Qt::LeftDockWidgetArea, m_slicesDock);
}

void MainWindow::createCentralArea()
{
    m_planMapPlot = new PlanMapPlot(nullptr);
    m_planMapPlot->setMinimumHeight(50);
    m_polygonPicker = new PPlotPolygonPicker(m_planMapPlot->canvas());
    qRegisterMetaType<QVector<QPointF>>();
    connect(m_polygonPicker, QOverload<const QVector<QPointF>&>::of(&QwtPlotPicker::selected), this,
            &MainWindow::selectByPolygon);
    m_planMapPlotToolWidget = new PlanMapPlotToolWidget(nullptr);
    connect(m_planMapPlot, &PlanMapPlot::currentPoint, m_planMapPlotToolWidget, &PlanMapPlotToolWidget::setPoint);
    connect(m_planMapPlotToolWidget, &PlanMapPlotToolWidget::fit, m_planMapPlot, &PlanMapPlot::fit);

    m_slicePlot = new SlicePlot(nullptr);
    m_sliceWidget = new SliceWidget(nullptr);
    m_sliceWidget->setPlot(m_slicePlot);
    m_sliceWidget->layout()->setContentsMargins(2, 2, 2, 2);
    m_sliceWidget->layout()->setSpacing(6);
    m_sliceWidget->setMinimumHeight(50);

    auto* planArea = new QWidget;
    auto* planLayout = new QVBoxLayout(planArea);
    planLayout->setContentsMargins(2, 2, 2, 2);
    planLayout->setSpacing(2);
    planLayout->addWidget(m_planMapPlot);
    planLayout->addWidget(m_planMapPlotToolWidget);

    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(planArea);
    splitter->addWidget(m_sliceWidget);
    // Replacing the central widget deletes the previous plan map and slice view.
    setCentralWidget(splitter);
}

void MainWindow::createWorkers()
{
    delete m_xaThread;
    m_xaThread = new XaThread(this);
    delete m_xaDialog;
    m_xaDialog = new XaDialog(nullptr);
    m_builds = RunGeneration();
    connect(m_xaThread, &QThread::finished, this, &MainWindow::onBuildFinished);
    connect(m_xaDialog, &XaDialog::canceled, this, &MainWindow::cancelProcessing);
    // The closed progress window leaves no window active, and the menu
    // shortcuts would wait for a click into the main window. Asked after the
    // progress window is gone, so that the window manager, too, counts the
    // main window as active and later hands the keyboard to its tool window.
    connect(m_xaDialog, &QDialog::finished, this,
            [this]() { QTimer::singleShot(0, this, [this]() { activateWindow(); }); });
    connect(m_xaThread, &XaThread::progress, m_xaDialog, &XaDialog::setProgress);
}

void MainWindow::newProject()
{
    if (maybeSave())
        initProject();
}

bool MainWindow::maybeSave()
{
    if (!m_modified)
        return true;
    const QMessageBox::StandardButton answer =
        QMessageBox::question(this, QString(), tr("Save current project?"),
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        return saveProject();
    return answer == QMessageBox::No;
}

void MainWindow::setProjectName(const QString& name)
{
    m_projectName = name;
    setWindowTitle(applicationName + QLatin1Char(' ') + applicationVersion + QStringLiteral(" - ") + name);
}

void MainWindow::setModified()
{
    m_modified = true;
}

void MainWindow::removeDeletedBlocks()
{
    m_trackBlockList->removeDeleted();
}

void MainWindow::removeDeletedSlices()
{
    m_sliceObjectList->removeDeleted();
}

void MainWindow::resetProjectData()
{
    delete m_trackBlockList;
    m_trackBlockList = new TrackBlockList;
    delete m_sliceObjectList;
    m_sliceObjectList = new SliceObjectList;
}

void MainWindow::setLayoutMode()
{
    m_mode = LayoutMode;
    m_layoutAction->setEnabled(false);
    m_layoutAction->setChecked(true);
    m_slicesAction->setEnabled(true);
    m_slicesAction->setChecked(false);
    m_loadDataAction->setEnabled(true);
    m_addSliceAction->setEnabled(false);
    m_preferencesAction->setEnabled(true);
    m_processingOptionsAction->setEnabled(true);
    m_layoutDock->show();
    m_slicesDock->hide();
    m_sliceWidget->stop();
    m_sliceWidget->hide();
    m_planMapPlot->setSliceCurvesVisible(false);
    m_planMapPlot->showSliceObject(nullptr);
    // Slices are added in Slices mode only.
    m_addSliceDialog->hide();
}

void MainWindow::setSlicesMode()
{
    m_mode = SlicesMode;
    m_layoutAction->setEnabled(true);
    m_layoutAction->setChecked(false);
    m_slicesAction->setEnabled(false);
    m_slicesAction->setChecked(true);
    m_loadDataAction->setEnabled(false);
    m_addSliceAction->setEnabled(true);
    m_preferencesAction->setEnabled(false);
    m_processingOptionsAction->setEnabled(false);
    m_layoutDock->hide();
    m_slicesDock->show();
    m_xaDialog->setRunning(false);
    m_xaDialog->close();
    m_sliceWidget->setSource(m_xaThread);
    m_sliceWidget->clear();
    m_sliceWidget->show();
    m_planMapPlot->setSliceCurvesVisible(true);
    m_sliceObjectList->setCurvesVisible(true);
}

void MainWindow::startSlicesMode()
{
    if (m_mode == SlicesMode)
        return;
    RangeDialog range(nullptr);
    if (range.exec() != QDialog::Accepted) {
        m_slicesAction->setChecked(false);
        return;
    }

    // The models are rebuilt: nothing may read them meanwhile, and a build
    // that is still winding down after Cancel must end first.
    m_sliceWidget->stop();
    if (m_xaThread->isRunning()) {
        m_xaThread->requestInterruption();
        m_xaThread->wait();
    }

    QList<Point3D> bottom;
    QList<Point3D> top;
    QList<double> samples;
    collectData(&bottom, &top, &samples, range.min(), range.max());
    m_xaThread->setData(bottom, top, samples);
    m_builds.start();
    m_xaThread->start(QThread::InheritPriority);
    m_xaDialog->setRunning(true);
    m_xaDialog->show();
}

void MainWindow::onBuildFinished()
{
    // A superseded or cancelled build never leads to Slices mode.
    if (!m_builds.end())
        return;
    if (!m_xaThread->lastRunCompleted()) {
        m_xaDialog->setRunning(false);
        m_xaDialog->close();
        setLayoutMode();
        QMessageBox::warning(this, QString(), tr("Can not build models"));
        return;
    }
    setSlicesMode();
}

void MainWindow::cancelProcessing()
{
    // The build stops at its next node; the window does not wait for it.
    m_builds.cancel();
    m_xaThread->requestInterruption();
    setLayoutMode();
}

void MainWindow::collectData(QList<Point3D>* bottom, QList<Point3D>* top, QList<double>* samples, double min,
                             double max)
{
    if (!SampleCollector::collect(*m_trackBlockList, bottom, top, samples, min, max))
        QMessageBox::warning(this, QString(), SampleCollector::unknownProbeMessage());
}

void MainWindow::selectByPolygon(const QVector<QPointF>& points)
{
    const PolygonSelection selection = PolygonSelection::select(*m_trackBlockList, QPolygonF(points));
    if (selection.isEmpty())
        return;
    PContextMenu menu(nullptr);
    switch (menu.exec()) {
    case 0:
        selection.deleteRecords(*m_trackBlockList);
        break;
    case 1:
        selection.fixRecords(*m_trackBlockList);
        break;
    default:
        return;
    }
    // The tracks changed: closing must offer to save them.
    m_modified = true;
}

void MainWindow::showAddSliceDialog()
{
    m_addSliceDialog->setTitle(QStringLiteral("#%1").arg(m_sliceObjectList->count() + 1));
    m_addSliceDialog->show();
    // A tool window is not given the keyboard on its own.
    m_addSliceDialog->activateWindow();
}

void MainWindow::addSlice()
{
    SliceObject slice;
    slice.setTitle(m_addSliceDialog->title());
    slice.setPolygon(m_addSliceDialog->polygon());
    if (!m_addSliceDialog->isVertical())
        slice.setHeight(m_addSliceDialog->height());
    m_sliceObjectList->append(slice);
    SliceObject* stored = m_sliceObjectList->at(100000);
    stored->setCurve(m_planMapPlot->createSliceCurve());
    attachSlice(stored);
    m_modified = true;
}

void MainWindow::attachSlice(SliceObject* slice)
{
    SliceObjectWidget* row = m_sliceObjectListWidget->addSliceObject(slice);
    connect(row, &SliceObjectWidget::deleted, this, &MainWindow::removeDeletedSlices);
    connect(row, &SliceObjectWidget::sendView, m_sliceWidget, &SliceWidget::compute);
    connect(row, &SliceObjectWidget::sendView, m_planMapPlot, &PlanMapPlot::showSliceObject);
    connect(row, &SliceObjectWidget::modified, this, &MainWindow::setModified);
}

void MainWindow::attachBlock(TrackBlock& block)
{
    for (int i = 0; i < block.entryCount(); ++i) {
        TrackBlockEntry& entry = block.entry(i);
        entry.setCurve(m_planMapPlot->createEntryCurve());
        entry.setFixedCurve(m_planMapPlot->createFixedCurve());
        entry.applyHidden(!block.isEnabled() || !entry.isEnabled());
    }
    TrackBlockWidget* row = m_trackBlockListWidget->addTrackBlock(&block);
    connect(row, &TrackBlockWidget::deleted, this, &MainWindow::removeDeletedBlocks);
    connect(row, &TrackBlockWidget::modified, this, &MainWindow::setModified);
}

void MainWindow::showPreferences()
{
    PreferencesDialog dialog(nullptr);
    dialog.exec();
}

void MainWindow::showProcessingOptions()
{
    ProcessOptionsDialog dialog(m_trackBlockList->probeIds(), nullptr);
    dialog.exec();
}

void MainWindow::showAbout()
{
    AboutDialog dialog(nullptr);
    dialog.exec();
}

void MainWindow::showAboutQt()
{
    QApplication::aboutQt();
}

bool MainWindow::saveProject()
{
    QFileDialog dialog(this);
    dialog.setNameFilters({tr("Tundrack project files") + QStringLiteral(" (*.td)")});
    dialog.setWindowTitle(tr("Save project"));
    // The file the project came from or went to, in its folder; a name typed
    // without an extension still makes a project file.
    if (m_projectFileName.isEmpty()) {
        dialog.selectFile(m_projectName);
    } else {
        dialog.setDirectory(QFileInfo(m_projectFileName).absolutePath());
        dialog.selectFile(m_projectFileName);
    }
    dialog.setDefaultSuffix(QStringLiteral("td"));
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const QString fileName = dialog.selectedFiles().first();

    // A failed save never destroys the previous project.
    if (!ProjectFile::save(fileName, *m_trackBlockList, *m_sliceObjectList)) {
        QMessageBox::warning(this, QString(), tr("Can not save project"));
        return false;
    }
    setProjectName(ProjectFile::projectName(fileName));
    m_projectFileName = fileName;
    m_modified = false;
    return true;
}

void MainWindow::openProject()
{
    if (!maybeSave())
        return;
    QFileDialog dialog(this);
    dialog.setNameFilters({tr("Tundrack project files") + QStringLiteral(" (*.td)")});
    dialog.setWindowTitle(tr("Open project"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString fileName = dialog.selectedFiles().first();

    initProject();
    QFile file(fileName);
    bool ok = file.open(QIODevice::ReadOnly);
    if (ok) {
        // A damaged file is refused as a whole: a half-read project saved
        // later would overwrite the user's file with less than it held.
        ok = ProjectFile::read(file, *m_trackBlockList, *m_sliceObjectList) && file.error() == QFileDevice::NoError;
        file.close();
        ok = ok && file.error() == QFileDevice::NoError;
    }
    if (!ok) {
        QMessageBox::warning(this, QString(), tr("Can not open project"));
        resetProjectData();
        return;
    }

    for (int i = 0; i < m_trackBlockList->count(); ++i)
        attachBlock(m_trackBlockList->block(i));
    for (int i = 0; i < m_sliceObjectList->count(); ++i) {
        SliceObject* slice = m_sliceObjectList->at(i);
        slice->setCurve(m_planMapPlot->createSliceCurve());
        slice->applyHidden(m_mode == SlicesMode ? !slice->isEnabled() : true);
        attachSlice(slice);
    }
    setProjectName(ProjectFile::projectName(fileName));
    m_projectFileName = fileName;
    m_modified = false;
}

void MainWindow::loadData()
{
    QFileDialog dialog(this);
    dialog.setNameFilters({tr("Kvarn session files") + QStringLiteral(" (*.kv)")});
    dialog.setWindowTitle(tr("Load data"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList files = dialog.selectedFiles();
    for (const QString& path : files) {
        if (m_trackBlockList->loadSession(path)) {
            attachBlock(m_trackBlockList->block(100000));
            m_modified = true;
            continue;
        }
        const QMessageBox::StandardButton answer = QMessageBox::question(
            this, QString(), tr("Can not load file %1").arg(path), QMessageBox::Abort | QMessageBox::Ignore);
        if (answer == QMessageBox::Abort)
            break;
    }
}

void MainWindow::showConverter()
{
    const ExportSource source = ExportSource::gather(*m_trackBlockList);
    ConverterDialog dialog(source.info(), source.tracks());
    dialog.exec();
}

void MainWindow::exportData()
{
    const QString voxlerFilter = tr("Voxler data files") + QStringLiteral(" (*.dat)");
    const QString csvFilter = tr("CSV files") + QStringLiteral(" (*.csv)");
    QFileDialog dialog(this);
    dialog.setNameFilters({voxlerFilter, csvFilter});
    dialog.setWindowTitle(tr("Export data"));
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString fileName = dialog.selectedFiles().first();

    // A name typed with either extension says which format is wanted, even
    // when the other filter is still selected.
    bool voxler = dialog.selectedNameFilter() == voxlerFilter;
    if (fileName.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
        voxler = false;
    else if (fileName.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive))
        voxler = true;

    WrittenFile::Result result;
    if (voxler) {
        QList<double> samples;
        collectData(nullptr, nullptr, &samples, -1e15, 1e15);
        result = WrittenFile::writeText(fileName, [&samples](QTextStream& out) { DataExport::writeVoxler(out, samples); });
    } else {
        result = WrittenFile::writeText(fileName, [this](QTextStream& out) { writeCsv(out); });
    }
    if (result == WrittenFile::CannotOpen)
        QMessageBox::warning(this, QString(), tr("Can not open file"));
    else if (result == WrittenFile::CannotWrite)
        QMessageBox::warning(this, QString(), tr("Can not write data to file"));
}

void MainWindow::writeCsv(QTextStream& out)
{
    DataExport::writeCsv(out, ExportSource::gather(*m_trackBlockList));
}
