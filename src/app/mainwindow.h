#pragma once

#include "slices/rungeneration.h"
#include "survey/point3d.h"

#include <QList>
#include <QMainWindow>
#include <QPointF>
#include <QString>
#include <QVector>

class AddSliceDialog;
class PPlotPolygonPicker;
class PlanMapPlot;
class PlanMapPlotToolWidget;
class QAction;
class QDockWidget;
class QMenu;
class QTextStream;
class SliceObject;
class SliceObjectList;
class SliceObjectListWidget;
class SlicePlot;
class SliceWidget;
class TrackBlock;
class TrackBlockList;
class TrackBlockListWidget;
class XaDialog;
class XaThread;

// The application shell: owns the open project (blocks and slices), the
// menus, the two docks, the plan map above the slice view, and the model
// builder. Layout mode arranges the survey; Slices mode views the models.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    enum Mode { Building = 0, LayoutMode = 1, SlicesMode = 2 };

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    void initProject();
    void newProject();
    bool maybeSave();
    void setProjectName(const QString& name);
    void setModified();
    void removeDeletedBlocks();
    void removeDeletedSlices();
    void resetProjectData();

    void setLayoutMode();
    void setSlicesMode();
    void startSlicesMode();
    void cancelProcessing();

    void showAddSliceDialog();
    void addSlice();
    void showPreferences();
    void showProcessingOptions();
    void showConverter();
    void showAbout();
    void showAboutQt();

    bool saveProject();
    void openProject();
    void loadData();
    // Writes the project's measurements as Voxler points or as a CSV table.
    void exportData();
    void writeCsv(QTextStream& out);

    // Appends the models' input from the enabled entries; warns once about
    // probes that could not be used.
    void collectData(QList<Point3D>* bottom, QList<Point3D>* top, QList<double>* samples, double min,
                     double max);
    // Offers Delete and Fix for the records inside a polygon drawn on the plan map.
    void selectByPolygon(const QVector<QPointF>& points);

    int mode() const { return m_mode; }
    bool isModified() const { return m_modified; }
    QString projectName() const { return m_projectName; }
    QString projectFileName() const { return m_projectFileName; }
    TrackBlockList* trackBlockList() const { return m_trackBlockList; }
    SliceObjectList* sliceObjectList() const { return m_sliceObjectList; }
    PlanMapPlot* planMapPlot() const { return m_planMapPlot; }
    PPlotPolygonPicker* polygonPicker() const { return m_polygonPicker; }
    SliceWidget* sliceWidget() const { return m_sliceWidget; }
    SlicePlot* slicePlot() const { return m_slicePlot; }
    XaThread* xaThread() const { return m_xaThread; }
    XaDialog* xaDialog() const { return m_xaDialog; }
    AddSliceDialog* addSliceDialog() const { return m_addSliceDialog; }
    TrackBlockListWidget* trackBlockListWidget() const { return m_trackBlockListWidget; }
    SliceObjectListWidget* sliceObjectListWidget() const { return m_sliceObjectListWidget; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void createDocks();
    void createCentralArea();
    void createWorkers();
    void stopWorkers();
    void releaseRows();
    void onBuildFinished();
    // Curves, row and connections of a block that joined the project.
    void attachBlock(TrackBlock& block);
    void attachSlice(SliceObject* slice);

    QAction* m_newProjectAction = nullptr;
    QAction* m_saveProjectAction = nullptr;
    QAction* m_openProjectAction = nullptr;
    QAction* m_loadDataAction = nullptr;
    QAction* m_exportDataAction = nullptr;
    QAction* m_addSliceAction = nullptr;
    QAction* m_layoutAction = nullptr;
    QAction* m_slicesAction = nullptr;
    QAction* m_preferencesAction = nullptr;
    QAction* m_processingOptionsAction = nullptr;
    QAction* m_converterAction = nullptr;
    QAction* m_aboutAction = nullptr;
    QAction* m_aboutQtAction = nullptr;
    QList<QMenu*> m_menus;

    QDockWidget* m_layoutDock = nullptr;
    QDockWidget* m_slicesDock = nullptr;
    TrackBlockList* m_trackBlockList = nullptr;
    TrackBlockListWidget* m_trackBlockListWidget = nullptr;
    PlanMapPlot* m_planMapPlot = nullptr;
    PPlotPolygonPicker* m_polygonPicker = nullptr;
    PlanMapPlotToolWidget* m_planMapPlotToolWidget = nullptr;
    SlicePlot* m_slicePlot = nullptr;
    SliceWidget* m_sliceWidget = nullptr;
    SliceObjectList* m_sliceObjectList = nullptr;
    SliceObjectListWidget* m_sliceObjectListWidget = nullptr;
    AddSliceDialog* m_addSliceDialog = nullptr;
    XaThread* m_xaThread = nullptr;
    XaDialog* m_xaDialog = nullptr;
    QString m_projectName;
    // The project's file once it was saved or opened; empty for a new project.
    QString m_projectFileName;
    int m_mode = Building;
    bool m_modified = false;

    // Only the end of the latest build counts, and only when it was not
    // cancelled.
    RunGeneration m_builds;
};
