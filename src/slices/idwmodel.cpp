#include "slices/idwmodel.h"

#include "slices/parallelloop.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {

constexpr int maximumDimensions = 8;

std::atomic<quint64> nextSerial{1};
} // namespace

// The working state of one fitting thread, allocated once for all its nodes.
struct IdwModel::Worker
{
    Worker(const IdwModel& model, int nq, IdwNodalFit::Solver solver)
        : nx(model.m_nx), stride(model.m_stride), fit(coefficientCount(model.m_nx), nq, solver)
    {
        alglib::kdtreecreaterequestbuffer(*model.m_tree, buffer);
        point.setlength(nx);
        distances.setlength(nq);
        tags.setlength(nq);
    }

    IdwNodalFit::Outcome fitNode(const alglib::kdtree& tree, const double* rows, double* nodes, int nq, qint64 i);

    const int nx;
    const int stride;
    IdwNodalFit fit;
    alglib::kdtreerequestbuffer buffer;
    alglib::real_1d_array point;
    alglib::real_1d_array distances;
    alglib::integer_1d_array tags;
};

// Fills node i of nodes from its row and fits its nodal function.
IdwNodalFit::Outcome IdwModel::Worker::fitNode(const alglib::kdtree& tree, const double* rows, double* nodes, int nq,
                                               qint64 i)
{
    const int width = nx + 1;
    const double* p = rows + i * width;
    const double f = p[nx];
    double* node = nodes + i * stride;
    std::copy(p, p + width, node);
    double* coefficients = node + width;

    double* x = point.getcontent();
    for (int a = 0; a < nx; ++a)
        x[a] = p[a];
    // Self-matches off: the node and its exact duplicates are skipped.
    const int k = int(alglib::kdtreetsqueryknn(tree, buffer, point, nq, false));
    if (k == 0)
        return fit.solve(0, coefficients);
    alglib::kdtreetsqueryresultsdistances(tree, buffer, distances);
    alglib::kdtreetsqueryresultstags(tree, buffer, tags);
    const double* d = distances.getcontent();
    const alglib::ae_int_t* t = tags.getcontent();

    const int m = fit.unknowns();
    const double d0 = d[0];
    const double rmax = d[k - 1];
    for (int j = 0; j < k; ++j) {
        const double* q = rows + t[j] * width;
        double* row = fit.row(j);
        for (int u = 0; u < nx; ++u)
            row[u] = q[u] - p[u];
        int offset = nx;
        for (int u = 0; u < nx; ++u)
            for (int v = u; v < nx; ++v)
                row[offset++] = row[u] * row[v];
        row[m] = q[nx] - f;
        const double w = shepardWeight(d[j], d0, rmax);
        for (int u = 0; u <= m; ++u)
            row[u] *= w;
    }
    return fit.solve(k, coefficients);
}

double IdwModel::shepardWeight(double d, double d0, double r)
{
    if (d == d0)
        return 1.0;
    // The two factors are rounded apart and their product squared: on
    // ill-conditioned fits the last bit of a weight shows in the result.
    const double v1 = (r - d) / (r - d0);
    const double v2 = d0 / d;
    const double v = v1 * v2;
    return v * v;
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

const double* IdwModel::coefficients(qint64 node) const
{
    return m_nodes.get() + node * m_stride + m_nx + 1;
}

void IdwModel::clear()
{
    *this = IdwModel();
}

bool IdwModel::build(const double* rows, qint64 n, int nx, int nq, int nw, const CancelFunction& cancelled,
                     int threads)
{
    return build(rows, n, nx, nq, nw, cancelled, threads, FitOptions());
}

bool IdwModel::build(const double* rows, qint64 n, int nx, int nq, int nw, const CancelFunction& cancelled,
                     int threads, const FitOptions& options)
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

    // Filled by the fitting threads, each node by the thread that fits it.
    model.m_nodes.reset(new double[std::size_t(n) * std::size_t(model.m_stride)]);

    {
        // The tree reads the rows in place and keeps its own copy.
        alglib::real_2d_array xy;
        xy.attach_to_ptr(n, nx + 1, const_cast<double*>(rows));
        alglib::integer_1d_array tags;
        tags.setlength(n);
        alglib::ae_int_t* t = tags.getcontent();
        for (qint64 i = 0; i < n; ++i)
            t[i] = i;
        model.m_tree.reset(new alglib::kdtree);
        alglib::kdtreebuildtagged(xy, tags, n, nx, 1, 2, *model.m_tree);
    }

    const alglib::kdtree& tree = *model.m_tree;
    double* nodes = model.m_nodes.get();
    const int modelNq = model.m_nq;
    IdwNodalFit::Outcome* outcomes = nullptr;
    if (options.outcomes) {
        options.outcomes->assign(std::size_t(n), IdwNodalFit::Outcome());
        outcomes = options.outcomes->data();
    }

    // Every node writes only its own entry, so the split among threads
    // cannot change the result.
    const int workers = ParallelLoop::workerCount(threads, n);
    std::vector<std::unique_ptr<Worker>> perWorker;
    perWorker.reserve(std::size_t(workers));
    for (int w = 0; w < workers; ++w)
        perWorker.push_back(std::make_unique<Worker>(model, modelNq, options.solver));
    const bool completed = ParallelLoop::run(
        n, workers,
        [&](int worker, qint64 i) {
            const IdwNodalFit::Outcome outcome = perWorker[std::size_t(worker)]->fitNode(tree, rows, nodes, modelNq, i);
            if (outcomes)
                outcomes[i] = outcome;
        },
        cancelled, ParallelLoop::ProgressFunction());
    if (!completed)
        return false;

    model.m_serial = nextSerial.fetch_add(1);
    *this = std::move(model);
    return true;
}

double IdwModel::value(Scratch& scratch, const double* x) const
{
    return evaluate(scratch, x, true);
}

double IdwModel::unboundedValue(Scratch& scratch, const double* x) const
{
    return evaluate(scratch, x, false);
}

double IdwModel::evaluate(Scratch& scratch, const double* x, bool bounded) const
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
    double lowest = HUGE_VAL;
    double highest = -HUGE_VAL;
    double e[maximumDimensions];
    // Nearest first: the order of the sums is part of the result.
    for (qint64 j = 0; j < k; ++j) {
        const double* node = m_nodes.get() + t[j] * m_stride;
        for (int a = 0; a < m_nx; ++a)
            e[a] = x[a] - node[a];
        const double* g = node + m_nx + 1;
        double q = node[m_nx];
        lowest = std::min(lowest, q);
        highest = std::max(highest, q);
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
    const double f = sum / weightSum;
    if (!bounded)
        return f;
    // A NaN stays one: it is no value, not the lowest.
    return f < lowest ? lowest : f > highest ? highest : f;
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
