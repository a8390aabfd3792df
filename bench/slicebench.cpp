// tundrack-bench slice --samples N --cells M [--threads T] [--vertical]
//   computes one slice of about M cells from the models of a synthetic
//   survey and compares it with a plain inverse-distance average of the 9
//   nearest samples at every cell, on the same threads.
#include "benchcommand.h"
#include "syntheticsurvey.h"

#include "slices/idwmodel.h"
#include "slices/parallelloop.h"
#include "slices/xathread.h"
#include "slices/xbthread.h"
#include "slices/xcthread.h"

#include <alglibmisc.h>

#include <QElapsedTimer>

#include <cmath>
#include <memory>
#include <vector>

namespace {

struct Baseline
{
    explicit Baseline(const QList<double>& samples)
    {
        const qint64 n = samples.size() / 4;
        std::vector<double> rows(samples.begin(), samples.end());
        alglib::real_2d_array xy;
        xy.setcontent(n, 4, rows.data());
        alglib::kdtreebuild(xy, n, 3, 1, 2, tree);
    }

    // Seconds for the average at every point that point(cell, p) gives.
    double run(qint64 cells, int threads, const std::function<void(qint64, double*)>& point) const
    {
        const int workers = ParallelLoop::workerCount(threads, cells);
        struct Scratch
        {
            alglib::kdtreerequestbuffer buffer;
            alglib::real_1d_array x;
            alglib::real_2d_array xy;
            alglib::real_1d_array r;
        };
        std::vector<std::unique_ptr<Scratch>> scratch;
        for (int w = 0; w < workers; ++w) {
            scratch.emplace_back(new Scratch);
            alglib::kdtreecreaterequestbuffer(tree, scratch.back()->buffer);
            scratch.back()->x.setlength(3);
        }
        std::vector<double> out(static_cast<std::size_t>(cells));
        QElapsedTimer timer;
        timer.start();
        ParallelLoop::run(
            cells, workers,
            [&](int worker, qint64 c) {
                Scratch& s = *scratch[std::size_t(worker)];
                point(c, s.x.getcontent());
                const qint64 k = alglib::kdtreetsqueryknn(tree, s.buffer, s.x, 9, true);
                alglib::kdtreetsqueryresultsxy(tree, s.buffer, s.xy);
                alglib::kdtreetsqueryresultsdistances(tree, s.buffer, s.r);
                double sum = 0.0;
                double weights = 0.0;
                for (qint64 j = 0; j < k; ++j) {
                    const double d = s.r[j];
                    if (d == 0.0) {
                        sum = s.xy[j][3];
                        weights = 1.0;
                        break;
                    }
                    sum += s.xy[j][3] / (d * d);
                    weights += 1.0 / (d * d);
                }
                out[std::size_t(c)] = sum / weights;
            },
            ParallelLoop::CancelFunction(), ParallelLoop::ProgressFunction());
        return timer.nsecsElapsed() / 1e9;
    }

    alglib::kdtree tree;
};

int slice(const QStringList& args)
{
    const qint64 samples = benchOption(args, "--samples", "100000").toLongLong();
    const qint64 cells = benchOption(args, "--cells", "1000000").toLongLong();
    const int threads = benchOption(args, "--threads", QString::number(ParallelLoop::idealWorkerCount())).toInt();
    const bool vertical = args.contains("--vertical");
    if (samples < 1 || cells < 1 || threads < 1)
        return 2;

    const SyntheticSurvey survey = SyntheticSurvey::make(samples);
    XaThread source;
    source.setData(survey.bottomPoints, survey.topPoints, survey.samples);
    source.start();
    source.wait();
    if (!source.lastRunCompleted())
        return 1;
    const Baseline baseline(survey.samples);

    double seconds = 0.0;
    double baselineSeconds = 0.0;
    QElapsedTimer timer;
    if (vertical) {
        const QLineF line(0.05 * survey.width, 0.1 * survey.height, 0.95 * survey.width, 0.9 * survey.height);
        // The height of the curtain, to size the step for the cell count.
        IdwModel::Scratch scratch;
        double low = 1e15;
        double high = -1e15;
        for (int k = 0; k < 1000; ++k) {
            const QPointF p = line.pointAt((k + 0.5) / 1000.0);
            low = std::min(low, source.bottomModel().value(scratch, p.x(), p.y()));
            high = std::max(high, source.topModel().value(scratch, p.x(), p.y()));
        }
        const double step = std::sqrt(line.length() * (high - low) / double(cells));
        XbThread worker;
        worker.setThreadCount(threads);
        worker.setData(&source, line, step);
        timer.start();
        worker.start();
        worker.wait();
        seconds = timer.nsecsElapsed() / 1e9;

        const SliceRasterData& r = worker.result();
        const qint64 columns = r.columns();
        const qint64 rows = r.values().size() / columns;
        const double lowest = r.yInterval().minValue();
        const double dx = (line.x2() - line.x1()) / double(columns);
        const double dy = (line.y2() - line.y1()) / double(columns);
        baselineSeconds = baseline.run(columns * rows, threads, [&](qint64 c, double* x) {
            const qint64 i = c / rows;
            const qint64 j = c % rows;
            x[0] = line.x1() + dx / 2.0 + double(i) * dx;
            x[1] = line.y1() + dy / 2.0 + double(i) * dy;
            x[2] = lowest + worker.step() / 2.0 + double(j) * worker.step();
        });
    } else {
        const double x0 = 0.05 * survey.width;
        const double y0 = 0.05 * survey.height;
        const double x1 = 0.95 * survey.width;
        const double y1 = 0.95 * survey.height;
        const QPolygonF polygon({QPointF(x0, y0), QPointF(x1, y0), QPointF(x1, y1), QPointF(x0, y1)});
        const double step = std::sqrt((x1 - x0) * (y1 - y0) / double(cells));
        // Between the shallowest and the deepest sample everywhere.
        const double height = 98.5;
        XcThread worker;
        worker.setThreadCount(threads);
        worker.setData(&source, polygon, height, step);
        timer.start();
        worker.start();
        worker.wait();
        seconds = timer.nsecsElapsed() / 1e9;

        const SliceRasterData& r = worker.result();
        const qint64 columns = r.columns();
        const qint64 rows = r.values().size() / columns;
        baselineSeconds = baseline.run(columns * rows, threads, [&](qint64 c, double* x) {
            x[0] = x0 + double(c / rows) * worker.step();
            x[1] = y0 + double(c % rows) * worker.step();
            x[2] = height;
        });
    }

    benchPrint(QStringLiteral("slice samples=%1 cells=%2 threads=%3 seconds=%4 baseline_seconds=%5 ratio=%6")
                   .arg(samples)
                   .arg(cells)
                   .arg(threads)
                   .arg(seconds, 0, 'f', 3)
                   .arg(baselineSeconds, 0, 'f', 3)
                   .arg(seconds / baselineSeconds, 0, 'f', 3));
    return 0;
}

BenchCommand sliceCommand("slice", slice);

} // namespace
