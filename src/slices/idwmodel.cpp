#include "slices/idwmodel.h"

#include <linalg.h>
#include <solvers.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <thread>

namespace {

// The library's own machine epsilon; the fit thresholds are defined on it.
constexpr double machineEpsilon = 5e-16;
// Singular values below this fraction of the largest one count as zero.
constexpr double pseudoInverseThreshold = 1e4 * machineEpsilon;
constexpr int maximumDimensions = 8;
// Nodes handed to a fitting thread at a time.
constexpr qint64 chunkSize = 64;

std::atomic<quint64> nextSerial{1};

// Shared by build and evaluation so that both weigh neighbours identically:
// 1 for the nearest distance d0, falling to 0 at the farthest distance r.
inline double shepardWeight(double d, double d0, double r)
{
    if (d == d0)
        return 1.0;
    const double v = (r - d) / (r - d0) * d0 / d;
    return v * v;
}

} // namespace

struct IdwModel::Worker
{
    Worker(const IdwModel& model, int nq)
        : nx(model.m_nx), m(coefficientCount(model.m_nx)), stride(model.m_stride)
    {
        alglib::kdtreecreaterequestbuffer(*model.m_tree, buffer);
        point.setlength(nx);
        distances.setlength(nq);
        tags.setlength(nq);
        weights.resize(std::size_t(nq));
        inverse.resize(std::size_t(m) * std::size_t(m));
        r.setlength(m, m);
        c.setlength(m);
        g.setlength(m);
    }

    void fit(const alglib::kdtree& tree, double* nodes, int nq, qint64 i);
    double exactReciprocalCondition();

    const int nx;
    const int m;
    const int stride;
    alglib::kdtreerequestbuffer buffer;
    alglib::real_1d_array point;
    alglib::real_1d_array distances;
    alglib::integer_1d_array tags;
    std::vector<double> weights;
    std::vector<double> inverse; // of r, row-major
    alglib::real_2d_array a;      // the weighted system [A | t]
    alglib::real_2d_array system; // A alone, for fewer rows than unknowns
    alglib::real_1d_array target;
    alglib::real_1d_array tau;
    alglib::real_2d_array r;
    alglib::real_1d_array c;
    alglib::real_1d_array g;
    alglib::densesolverlsreport report;
};

void IdwModel::Worker::fit(const alglib::kdtree& tree, double* nodes, int nq, qint64 i)
{
    double* node = nodes + i * stride;
    const double* p = node;
    const double f = node[nx];
    double* coefficients = node + nx + 1;

    double* x = point.getcontent();
    for (int a = 0; a < nx; ++a)
        x[a] = p[a];
    // Self-matches off: the node and its exact duplicates are skipped.
    const qint64 k = alglib::kdtreetsqueryknn(tree, buffer, point, nq, false);
    if (k == 0) {
        std::fill(coefficients, coefficients + m, 0.0);
        return;
    }
    alglib::kdtreetsqueryresultsdistances(tree, buffer, distances);
    alglib::kdtreetsqueryresultstags(tree, buffer, tags);
    const double* d = distances.getcontent();
    const alglib::ae_int_t* t = tags.getcontent();

    const double d0 = d[0];
    const double rmax = d[k - 1];
    for (qint64 j = 0; j < k; ++j)
        weights[std::size_t(j)] = shepardWeight(d[j], d0, rmax);

    if (a.rows() != k || a.cols() != m + 1)
        a.setlength(k, m + 1);
    for (qint64 j = 0; j < k; ++j) {
        const double* q = nodes + t[j] * stride;
        double* row = a[j];
        for (int u = 0; u < nx; ++u)
            row[u] = q[u] - p[u];
        int offset = nx;
        for (int u = 0; u < nx; ++u)
            for (int v = u; v < nx; ++v)
                row[offset++] = row[u] * row[v];
        row[m] = q[nx] - f;
        const double w = weights[std::size_t(j)];
        for (int u = 0; u <= m; ++u)
            row[u] *= w;
    }

    alglib::ae_int_t info = 1;
    if (k >= m) {
        alglib::rmatrixqr(a, k, m + 1, tau);
        for (int u = 0; u < m; ++u) {
            const double* source = a[u];
            double* target = r[u];
            for (int v = 0; v < m; ++v)
                target[v] = v < u ? 0.0 : source[v];
            c[u] = source[m];
        }
        const double threshold = 1e4 * double(k) * machineEpsilon;
        // The library's estimate never lies below the true reciprocal
        // condition number, so a clear margin above the threshold decides
        // the same way without the costly estimate.
        if (exactReciprocalCondition() > 100.0 * threshold
            || alglib::rmatrixtrrcondinf(r, m, true, false) > threshold) {
            double* out = g.getcontent();
            for (int u = m - 1; u >= 0; --u) {
                const double* row = r[u];
                double s = 0.0;
                for (int v = u + 1; v < m; ++v)
                    s += row[v] * out[v];
                out[u] = (c[u] - s) / row[u];
            }
        } else {
            alglib::rmatrixsolvels(r, m, m, c, pseudoInverseThreshold, info, report, g);
        }
    } else {
        if (system.rows() != k || system.cols() != m)
            system.setlength(k, m);
        if (target.length() != k)
            target.setlength(k);
        for (qint64 j = 0; j < k; ++j) {
            const double* source = a[j];
            std::copy(source, source + m, system[j]);
            target[j] = source[m];
        }
        alglib::rmatrixsolvels(system, k, m, target, pseudoInverseThreshold, info, report, g);
    }

    if (info <= 0) {
        std::fill(coefficients, coefficients + m, 0.0);
        return;
    }
    const double* out = g.getcontent();
    std::copy(out, out + m, coefficients);
}

// 1 / (|r|inf * |r^-1|inf) from the explicit inverse of the triangle; 0 when
// the inverse is not usable.
double IdwModel::Worker::exactReciprocalCondition()
{
    double normR = 0.0;
    for (int u = 0; u < m; ++u) {
        const double* row = r[u];
        if (row[u] == 0.0)
            return 0.0;
        double s = 0.0;
        for (int v = u; v < m; ++v)
            s += std::fabs(row[v]);
        normR = std::max(normR, s);
    }
    // Column by column of the upper triangular inverse, bottom up.
    double* x = inverse.data();
    for (int col = m - 1; col >= 0; --col) {
        for (int u = m - 1; u >= 0; --u) {
            double s = u == col ? 1.0 : 0.0;
            if (u <= col) {
                const double* row = r[u];
                for (int v = u + 1; v <= col; ++v)
                    s -= row[v] * x[v * m + col];
                s /= row[u];
            }
            x[u * m + col] = s;
        }
    }
    double normInverse = 0.0;
    for (int u = 0; u < m; ++u) {
        double s = 0.0;
        for (int v = u; v < m; ++v)
            s += std::fabs(x[u * m + v]);
        normInverse = std::max(normInverse, s);
    }
    const double result = 1.0 / (normR * normInverse);
    return std::isfinite(result) ? result : 0.0;
}

IdwModel::IdwModel() = default;
IdwModel::~IdwModel() = default;
IdwModel::IdwModel(IdwModel&& other) noexcept
{
    swap(other);
}

IdwModel& IdwModel::operator=(IdwModel&& other) noexcept
{
    IdwModel taken(std::move(other));
    swap(taken);
    return *this;
}

void IdwModel::swap(IdwModel& other) noexcept
{
    std::swap(m_nx, other.m_nx);
    std::swap(m_nq, other.m_nq);
    std::swap(m_nw, other.m_nw);
    std::swap(m_stride, other.m_stride);
    std::swap(m_count, other.m_count);
    std::swap(m_serial, other.m_serial);
    m_tree.swap(other.m_tree);
    m_nodes.swap(other.m_nodes);
}

void IdwModel::correctParameters(qint64 n, int nx, int& nq, int& nw)
{
    const int corners = (1 << nx) + 1;
    // ceil(1.5 * (nx + 2)(nx + 1) / 2) + 1 in integers
    const int quadratic = (3 * (nx + 2) * (nx + 1) + 3) / 4 + 1;
    nq = std::max({nq, quadratic, corners});
    nw = std::max(nw, corners);
    nq = int(std::min<qint64>(nq, n));
    nw = int(std::min<qint64>(nw, n));
}

int IdwModel::idealThreadCount()
{
    return std::max(1, int(std::thread::hardware_concurrency()));
}

const double* IdwModel::coefficients(qint64 node) const
{
    return m_nodes.data() + node * m_stride + m_nx + 1;
}

void IdwModel::clear()
{
    *this = IdwModel();
}

bool IdwModel::build(const double* rows, qint64 n, int nx, int nq, int nw, const CancelFunction& cancelled,
                     int threads)
{
    if (n < 1)
        throw alglib::ap_error("IdwModel: no points");
    if (nx < 1 || nx > maximumDimensions)
        throw alglib::ap_error("IdwModel: unsupported dimension");
    const qint64 values = n * (nx + 1);
    for (qint64 i = 0; i < values; ++i)
        if (!std::isfinite(rows[i]))
            throw alglib::ap_error("IdwModel: non-finite point");

    IdwModel model;
    model.m_nx = nx;
    model.m_nq = nq;
    model.m_nw = nw;
    correctParameters(n, nx, model.m_nq, model.m_nw);
    const int m = coefficientCount(nx);
    model.m_stride = nx + 1 + m;
    model.m_count = n;

    model.m_nodes.assign(std::size_t(n) * std::size_t(model.m_stride), 0.0);
    for (qint64 i = 0; i < n; ++i)
        std::copy(rows + i * (nx + 1), rows + (i + 1) * (nx + 1), model.m_nodes.data() + i * model.m_stride);

    {
        alglib::real_2d_array xy;
        xy.setcontent(n, nx + 1, rows);
        alglib::integer_1d_array tags;
        tags.setlength(n);
        alglib::ae_int_t* t = tags.getcontent();
        for (qint64 i = 0; i < n; ++i)
            t[i] = i;
        model.m_tree.reset(new alglib::kdtree);
        alglib::kdtreebuildtagged(xy, tags, n, nx, 1, 2, *model.m_tree);
    }

    // Every node writes only its own coefficients, so the split among
    // threads cannot change the result.
    const qint64 chunks = (n + chunkSize - 1) / chunkSize;
    const int threadCount = int(std::min<qint64>(threads < 1 ? idealThreadCount() : threads, chunks));
    std::atomic<qint64> nextChunk{0};
    std::atomic<bool> stop{false};
    std::atomic<bool> wasCancelled{false};
    std::exception_ptr failure;
    std::atomic_flag failureTaken = ATOMIC_FLAG_INIT;
    const alglib::kdtree& tree = *model.m_tree;
    double* nodes = model.m_nodes.data();
    const int modelNq = model.m_nq;

    auto work = [&]() {
        try {
            Worker worker(model, modelNq);
            while (!stop.load(std::memory_order_relaxed)) {
                const qint64 chunk = nextChunk.fetch_add(1, std::memory_order_relaxed);
                if (chunk >= chunks)
                    return;
                const qint64 end = std::min(n, (chunk + 1) * chunkSize);
                for (qint64 i = chunk * chunkSize; i < end; ++i) {
                    if (stop.load(std::memory_order_relaxed))
                        return;
                    if (cancelled && cancelled()) {
                        wasCancelled = true;
                        stop = true;
                        return;
                    }
                    worker.fit(tree, nodes, modelNq, i);
                }
            }
        } catch (...) {
            stop = true;
            if (!failureTaken.test_and_set())
                failure = std::current_exception();
        }
    };

    if (threadCount <= 1) {
        work();
    } else {
        std::vector<std::thread> pool;
        pool.reserve(std::size_t(threadCount - 1));
        try {
            for (int t = 1; t < threadCount; ++t)
                pool.emplace_back(work);
        } catch (...) {
            // Fewer threads than asked for still finish the job.
        }
        work();
        for (std::thread& thread : pool)
            thread.join();
    }
    if (failure)
        std::rethrow_exception(failure);
    if (wasCancelled)
        return false;

    model.m_serial = nextSerial.fetch_add(1);
    *this = std::move(model);
    return true;
}

double IdwModel::value(Scratch& scratch, const double* x) const
{
    if (m_count == 0)
        return std::nan("");
    for (int a = 0; a < m_nx; ++a)
        if (!std::isfinite(x[a]))
            return std::nan("");
    if (scratch.m_serial != m_serial) {
        alglib::kdtreecreaterequestbuffer(*m_tree, scratch.m_buffer);
        scratch.m_point.setlength(m_nx);
        scratch.m_distances.setlength(m_nw);
        scratch.m_tags.setlength(m_nw);
        scratch.m_serial = m_serial;
    }
    double* point = scratch.m_point.getcontent();
    for (int a = 0; a < m_nx; ++a)
        point[a] = x[a];
    const qint64 k = alglib::kdtreetsqueryknn(*m_tree, scratch.m_buffer, scratch.m_point, m_nw, true);
    alglib::kdtreetsqueryresultsdistances(*m_tree, scratch.m_buffer, scratch.m_distances);
    alglib::kdtreetsqueryresultstags(*m_tree, scratch.m_buffer, scratch.m_tags);
    const double* d = scratch.m_distances.getcontent();
    const alglib::ae_int_t* t = scratch.m_tags.getcontent();

    const double d0 = d[0];
    const double r = d[k - 1];
    double sum = 0.0;
    double weightSum = 0.0;
    double e[maximumDimensions];
    // Nearest first: the order of the sums is part of the result.
    for (qint64 j = 0; j < k; ++j) {
        const double* node = m_nodes.data() + t[j] * m_stride;
        for (int a = 0; a < m_nx; ++a)
            e[a] = x[a] - node[a];
        const double* g = node + m_nx + 1;
        double q = node[m_nx];
        for (int a = 0; a < m_nx; ++a)
            q += g[a] * e[a];
        int offset = m_nx;
        for (int a = 0; a < m_nx; ++a)
            for (int b = a; b < m_nx; ++b)
                q += g[offset++] * e[a] * e[b];
        const double w = shepardWeight(d[j], d0, r);
        sum += w * q;
        weightSum += w;
    }
    return sum / weightSum;
}

double IdwModel::value(Scratch& scratch, double x, double y) const
{
    const double point[2] = {x, y};
    return m_nx == 2 ? value(scratch, point) : std::nan("");
}

double IdwModel::value(Scratch& scratch, double x, double y, double z) const
{
    const double point[3] = {x, y, z};
    return m_nx == 3 ? value(scratch, point) : std::nan("");
}
