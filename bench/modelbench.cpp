// tundrack-bench model --samples N [--threads T]
//   builds the three interpolation models of a synthetic survey and compares
//   the build with the least work any such build does: the kd-trees and the
//   nearest neighbours of every point, single-threaded.
// tundrack-bench idw --points FILE --queries FILE [--bounded]
//   builds one model from comma-separated rows and prints its value at each
//   query point with 17 significant digits: the weighted mean of the nodal
//   functions, or with --bounded that value clamped into the range of its
//   neighbours' data, as the slices use it.
#include "benchcommand.h"
#include "syntheticsurvey.h"

#include "slices/idwmodel.h"
#include "slices/parallelloop.h"
#include "slices/xathread.h"

#include <alglibmisc.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <vector>

namespace {

// Seconds spent on the kd-tree of the rows and on the k nearest neighbours
// of every row.
void baseline(const std::vector<double>& rows, int nx, double& treeSeconds, double& totalSeconds)
{
    const qint64 n = qint64(rows.size()) / (nx + 1);
    if (n == 0)
        return;
    int nq = 1;
    int nw = 1;
    IdwModel::correctParameters(n, nx, nq, nw);
    QElapsedTimer timer;
    timer.start();
    alglib::real_2d_array xy;
    xy.setcontent(n, nx + 1, rows.data());
    alglib::integer_1d_array tags;
    tags.setlength(n);
    for (qint64 i = 0; i < n; ++i)
        tags[i] = i;
    alglib::kdtree tree;
    alglib::kdtreebuildtagged(xy, tags, n, nx, 1, 2, tree);
    treeSeconds += timer.nsecsElapsed() / 1e9;

    alglib::kdtreerequestbuffer buffer;
    alglib::kdtreecreaterequestbuffer(tree, buffer);
    alglib::real_1d_array point;
    point.setlength(nx);
    alglib::real_1d_array distances;
    distances.setlength(nq);
    alglib::integer_1d_array found;
    found.setlength(nq);
    double checksum = 0.0;
    for (qint64 i = 0; i < n; ++i) {
        for (int a = 0; a < nx; ++a)
            point[a] = rows[std::size_t(i * (nx + 1) + a)];
        const qint64 k = alglib::kdtreetsqueryknn(tree, buffer, point, nq, false);
        if (k > 0) {
            alglib::kdtreetsqueryresultsdistances(tree, buffer, distances);
            alglib::kdtreetsqueryresultstags(tree, buffer, found);
            checksum += distances[k - 1] + double(found[0]);
        }
    }
    totalSeconds += timer.nsecsElapsed() / 1e9;
    if (checksum < 0)
        std::fputs("", stderr);
}

std::vector<double> surfaceRows(const QList<Point3D>& points)
{
    std::vector<double> rows;
    for (const Point3D& p : points)
        rows.insert(rows.end(), {p.x(), p.y(), p.z()});
    return rows;
}

int model(const QStringList& args)
{
    const qint64 samples = benchOption(args, "--samples", "1000000").toLongLong();
    const int threads = benchOption(args, "--threads", QString::number(ParallelLoop::idealWorkerCount())).toInt();
    if (samples < 1 || threads < 1)
        return 2;
    const SyntheticSurvey survey = SyntheticSurvey::make(samples);

    double treeSeconds = 0.0;
    double baselineSeconds = 0.0;
    baseline(surfaceRows(survey.bottomPoints), 2, treeSeconds, baselineSeconds);
    baseline(surfaceRows(survey.topPoints), 2, treeSeconds, baselineSeconds);
    baseline(std::vector<double>(survey.samples.begin(), survey.samples.end()), 3, treeSeconds, baselineSeconds);

    XaThread builder;
    builder.setThreadCount(threads);
    builder.setData(survey.bottomPoints, survey.topPoints, survey.samples);
    QElapsedTimer timer;
    timer.start();
    builder.start();
    builder.wait();
    const double buildSeconds = timer.nsecsElapsed() / 1e9;
    if (!builder.lastRunCompleted())
        return 1;

    benchPrint(QStringLiteral("model samples=%1 threads=%2 kdtree_seconds=%3 build_seconds=%4 baseline_seconds=%5 ratio=%6")
                   .arg(samples)
                   .arg(threads)
                   .arg(treeSeconds, 0, 'f', 3)
                   .arg(buildSeconds, 0, 'f', 3)
                   .arg(baselineSeconds, 0, 'f', 3)
                   .arg(buildSeconds / baselineSeconds, 0, 'f', 3));
    return 0;
}

// Comma-separated numbers per line; empty lines are skipped. False on a
// line that does not parse or does not have the given column count.
bool readRows(const QString& fileName, int& columns, std::vector<double>& rows)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split(',');
        if (columns == 0)
            columns = fields.size();
        if (fields.size() != columns)
            return false;
        for (const QString& field : fields) {
            bool ok = false;
            rows.push_back(field.trimmed().toDouble(&ok));
            if (!ok)
                return false;
        }
    }
    return true;
}

int idw(const QStringList& args)
{
    int pointColumns = 0;
    std::vector<double> points;
    int queryColumns = 0;
    std::vector<double> queries;
    if (!readRows(benchOption(args, "--points"), pointColumns, points)
        || !readRows(benchOption(args, "--queries"), queryColumns, queries)) {
        std::fputs("idw: cannot read the points or the queries\n", stderr);
        return 1;
    }
    const bool bounded = args.contains("--bounded");
    const int nx = pointColumns - 1;
    if (nx < 1 || points.empty() || (!queries.empty() && queryColumns != nx)) {
        std::fputs("idw: points need x,y[,z],value and queries the same coordinates\n", stderr);
        return 1;
    }
    IdwModel model;
    try {
        model.build(points.data(), qint64(points.size()) / pointColumns, nx);
    } catch (const alglib::ap_error& e) {
        std::fprintf(stderr, "idw: %s\n", e.msg.c_str());
        return 1;
    }
    IdwModel::Scratch scratch;
    // QString::number, unlike printf, ignores the desktop's locale.
    QString out;
    for (std::size_t i = 0; i < queries.size(); i += std::size_t(nx)) {
        const double* x = &queries[i];
        const double v = bounded ? model.value(scratch, x) : model.unboundedValue(scratch, x);
        out += QString::number(v, 'g', 17) + '\n';
    }
    std::fputs(out.toLatin1().constData(), stdout);
    return 0;
}

BenchCommand modelCommand("model", model);
BenchCommand idwCommand("idw", idw);

} // namespace
