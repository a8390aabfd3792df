#pragma once

#include "slices/idwmodel.h"
#include "slices/rungeneration.h"
#include "survey/point3d.h"

#include <qwt_interval.h>

#include <QList>
#include <QThread>

#include <atomic>

// Builds the three interpolation models of a survey in a worker thread: the
// lower and the upper boundary surface, z(x, y), and the value field
// v(x, y, z), together with the interval of the sample values.
//
// A run replaces the models only when it completes: a cancelled
// (requestInterruption) or failed run leaves the previous models and
// interval untouched. The models are read through the const accessors, each
// reader with its own IdwModel::Scratch, once finished() of a completed run
// was delivered and until the next setData().
class XaThread : public QThread
{
    Q_OBJECT

public:
    explicit XaThread(QObject* parent = nullptr);
    ~XaThread() override;

    // Only while the thread is not running. samples holds x, y, z, value
    // quadruples.
    void setData(const QList<Point3D>& bottomPoints, const QList<Point3D>& topPoints,
                 const QList<double>& samples);

    QwtInterval valueInterval() const { return m_valueInterval; }
    const IdwModel& bottomModel() const { return m_bottomModel; }
    const IdwModel& topModel() const { return m_topModel; }
    const IdwModel& valueModel() const { return m_valueModel; }

    // Counts the setData() calls: each names one build.
    quint64 runSerial() const { return m_runs.started(); }
    // Whether the build named by runSerial() ran to its end and its models
    // are in place. A finished() while this is false does not count.
    bool lastRunCompleted() const { return m_completed.load(); }

    // Threads for fitting the models; 0 (the default) uses every core. With
    // more than one, the value model is built beside the two surfaces.
    void setThreadCount(int threads) { m_threadCount = threads; }
    int threadCount() const { return m_threadCount; }

signals:
    void progress(int percent);

protected:
    void run() override;

private:
    bool buildSurface(const QList<Point3D>& points, IdwModel& model);

    QList<Point3D> m_topPoints;
    QList<Point3D> m_bottomPoints;
    QList<double> m_samples;
    QwtInterval m_valueInterval;
    IdwModel m_bottomModel;
    IdwModel m_topModel;
    IdwModel m_valueModel;
    int m_threadCount = 0;
    RunGeneration m_runs;
    std::atomic<bool> m_completed{false};
};
