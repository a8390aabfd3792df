#pragma once

#include "slices/rungeneration.h"
#include "survey/point3d.h"

#include "ui_slicewidget.h"

#include <QWidget>

class QThread;
class SliceObject;
class SlicePlot;
class XaThread;
class XbThread;
class XcThread;

// The slice view: computes the slice the user asked to view in a worker
// thread, with a wait frame and Cancel meanwhile, and hands the raster to
// the plot.
//
// One computation runs at a time. A new one stops and waits for the
// running worker first; Cancel asks it to stop and returns at once, and
// the raster of a stopped run is never shown. Queued finished() signals
// arrive one per run and in order, so counting them tells the run that
// was last started from older ones.
class SliceWidget : public QWidget, public Ui::UISliceWidget
{
    Q_OBJECT

public:
    explicit SliceWidget(QWidget* parent = nullptr);
    ~SliceWidget() override;

    // The plot becomes a child of the view.
    void setPlot(SlicePlot* plot);
    SlicePlot* plot() const { return m_plot; }
    // The models of later computations; not owned.
    void setSource(XaThread* source);
    void clear();
    // Stops any running computation and waits for its worker; the view
    // leaves its wait state.
    void stop();
    bool isWaiting() const { return m_active != nullptr; }

public slots:
    // The slice is not kept beyond the start of its computation.
    void compute(const SliceObject* slice);

private slots:
    void setProgress(int percent);
    void terminateXb();
    void terminateXc();
    void onXbFinished();
    void onXcFinished();
    void setCurrentPoint(Point3D point);
    void showWait(bool wait);

private:
    // Whether the finished() just delivered belongs to the run in progress.
    bool takeFinished(QThread* worker, RunGeneration& runs);
    void terminate(QThread* worker);
    void showResult(const QThread* worker);

    SlicePlot* m_plot = nullptr;
    const SliceObject* m_current = nullptr;
    XaThread* m_source = nullptr;
    XbThread* m_xbThread = nullptr;
    XcThread* m_xcThread = nullptr;
    // The worker whose run the view waits for; null when idle.
    QThread* m_active = nullptr;
    RunGeneration m_xbRuns;
    RunGeneration m_xcRuns;
};
