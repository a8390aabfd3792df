#include "common/testregistry.h"

#include "slices/idwmodel.h"
#include "slices/parallelloop.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

namespace {

using Field = std::function<double(const double*)>;

// n rows of nx random coordinates in [0, size) followed by field(p).
std::vector<double> scattered(int n, int nx, const Field& field, quint32 seed, double size = 10.0)
{
    QRandomGenerator random(seed);
    std::vector<double> rows;
    for (int i = 0; i < n; ++i) {
        double p[3] = {0.0, 0.0, 0.0};
        for (int a = 0; a < nx; ++a)
            p[a] = size * random.generateDouble();
        rows.insert(rows.end(), p, p + nx);
        rows.push_back(field(p));
    }
    return rows;
}

qint64 rowCount(const std::vector<double>& rows, int nx)
{
    return qint64(rows.size()) / (nx + 1);
}

double quadratic2(const double* p)
{
    const double x = p[0];
    const double y = p[1];
    return 1.5 + 2.0 * x - 3.0 * y + 0.5 * x * x - 0.75 * x * y + 0.25 * y * y;
}

double quadratic3(const double* p)
{
    const double x = p[0];
    const double y = p[1];
    const double z = p[2];
    return -2.0 + x - 0.5 * y + 2.0 * z + 0.3 * x * x + 0.2 * x * y - 0.4 * x * z + 0.1 * y * y
        + 0.6 * y * z - 0.2 * z * z;
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The k nodes nearest to x by brute force, nearest first, as (distance,
// node); without self, nodes at x itself are left out.
std::vector<std::pair<double, int>> nearest(const std::vector<double>& rows, int nx, const double* x, int k,
                                            bool self = true)
{
    std::vector<std::pair<double, int>> all;
    const int n = int(rowCount(rows, nx));
    for (int j = 0; j < n; ++j) {
        const double* p = &rows[std::size_t(j * (nx + 1))];
        double s = 0.0;
        for (int a = 0; a < nx; ++a)
            s += (p[a] - x[a]) * (p[a] - x[a]);
        if (self || s > 0.0)
            all.push_back({std::sqrt(s), j});
    }
    const std::size_t kept = std::min<std::size_t>(all.size(), std::size_t(k));
    std::partial_sort(all.begin(), all.begin() + std::ptrdiff_t(kept), all.end());
    all.resize(kept);
    return all;
}

// v clamped into the range of the values of the model's nw nodes nearest to x.
double clampedToNeighbours(double v, const std::vector<double>& rows, int nx, int nw, const double* x)
{
    double low = HUGE_VAL;
    double high = -HUGE_VAL;
    for (const auto& near : nearest(rows, nx, x, nw)) {
        low = std::min(low, rows[std::size_t(near.second * (nx + 1) + nx)]);
        high = std::max(high, rows[std::size_t(near.second * (nx + 1) + nx)]);
    }
    return std::clamp(v, low, high);
}

} // namespace

class IdwModelTest : public QObject
{
    Q_OBJECT

private slots:
    void correctedNeighbourCounts();
    void exactAtNodes();
    void matchesBruteForceReference();
    void reproducesQuadratics();
    void boundedOnSurveyLines();
    void linearInData();
    void convexCombinationOfNodalFunctions();
    void singlePoint();
    void coincidentAndDuplicatePoints();
    void collinearPoints();
    void fewerPointsThanNeighbours();
    void threadCountDoesNotChangeResult();
    void rejectsBadInput();
    void cancelLeavesModel();
    void scratchPerCaller();
};

void IdwModelTest::correctedNeighbourCounts()
{
    struct Case {
        qint64 n;
        int nx;
        int nq;
        int nw;
    };
    const Case cases[] = {{1000, 2, 10, 5}, {1000, 3, 16, 9}, {7, 2, 7, 5},  {3, 2, 3, 3},
                          {12, 3, 12, 9},   {1, 3, 1, 1},     {10, 2, 10, 5}, {16, 3, 16, 9}};
    for (const Case& c : cases) {
        int nq = 1;
        int nw = 1;
        IdwModel::correctParameters(c.n, c.nx, nq, nw);
        QCOMPARE(nq, c.nq);
        QCOMPARE(nw, c.nw);
    }
    // Larger requests stand, up to n.
    int nq = 40;
    int nw = 20;
    IdwModel::correctParameters(30, 2, nq, nw);
    QCOMPARE(nq, 30);
    QCOMPARE(nw, 20);

    QCOMPARE(IdwModel::coefficientCount(2), 5);
    QCOMPARE(IdwModel::coefficientCount(3), 9);

    // The built model uses the corrected counts.
    const std::vector<double> rows = scattered(8, 2, quadratic2, 1);
    IdwModel model;
    QVERIFY(model.build(rows.data(), rowCount(rows, 2), 2));
    QCOMPARE(model.nq(), 8);
    QCOMPARE(model.nw(), 5);
    QCOMPARE(model.count(), qint64(8));
    QCOMPARE(model.dimensions(), 2);
}

void IdwModelTest::exactAtNodes()
{
    for (int nx : {2, 3}) {
        QRandomGenerator noise(5);
        // Values unrelated to the positions.
        const std::vector<double> rows
            = scattered(300, nx, [&noise](const double*) { return 1000.0 * noise.generateDouble() - 500.0; }, 11);
        IdwModel model;
        QVERIFY(model.build(rows.data(), rowCount(rows, nx), nx));
        IdwModel::Scratch scratch;
        for (qint64 i = 0; i < model.count(); ++i) {
            const double* row = &rows[std::size_t(i * (nx + 1))];
            const double v = model.value(scratch, row);
            if (!sameBits(v, row[nx]))
                QFAIL(qPrintable(QString("node %1: %2 != %3").arg(i).arg(v, 0, 'g', 17).arg(row[nx], 0, 'g', 17)));
        }
    }
}

// The same model computed the plain way: neighbours by sorting every
// distance, the weighted fit through the normal equations in long double.
class ReferenceModel
{
public:
    ReferenceModel(const std::vector<double>& rows, int nx) : m_rows(rows), m_nx(nx)
    {
        m_n = int(rowCount(rows, nx));
        IdwModel::correctParameters(m_n, nx, m_nq, m_nw);
        m_m = IdwModel::coefficientCount(nx);
        for (int i = 0; i < m_n; ++i)
            fit(i);
    }

    double value(const double* x, bool bounded) const
    {
        const std::vector<std::pair<double, int>> near = nearest(m_rows, m_nx, x, m_nw);
        const double d0 = near.front().first;
        const double r = near.back().first;
        long double sum = 0.0L;
        long double weights = 0.0L;
        for (const auto& [d, j] : near) {
            const double w = weight(d, d0, r);
            sum += w * nodal(j, x);
            weights += w;
        }
        const double v = double(sum / weights);
        return bounded ? clampedToNeighbours(v, m_rows, m_nx, m_nw, x) : v;
    }

private:
    const double* point(int i) const { return &m_rows[std::size_t(i * (m_nx + 1))]; }

    static double weight(double d, double d0, double r)
    {
        if (d == d0)
            return 1.0;
        const double v = (r - d) / (r * d) / ((r - d0) / (r * d0));
        return v * v;
    }

    std::vector<double> terms(const double* e) const
    {
        std::vector<double> t(e, e + m_nx);
        for (int a = 0; a < m_nx; ++a)
            for (int b = a; b < m_nx; ++b)
                t.push_back(e[a] * e[b]);
        return t;
    }

    void fit(int i)
    {
        const std::vector<std::pair<double, int>> near = nearest(m_rows, m_nx, point(i), m_nq, false);
        const double d0 = near.front().first;
        const double r = near.back().first;
        std::vector<long double> normal(std::size_t(m_m * (m_m + 1)), 0.0L);
        for (const auto& [d, j] : near) {
            double e[3];
            for (int a = 0; a < m_nx; ++a)
                e[a] = point(j)[a] - point(i)[a];
            const std::vector<double> t = terms(e);
            // Rows scaled by w: the squared residuals weigh w^2.
            const long double w2 = (long double)weight(d, d0, r) * weight(d, d0, r);
            const long double target = point(j)[m_nx] - point(i)[m_nx];
            for (int a = 0; a < m_m; ++a) {
                for (int b = 0; b < m_m; ++b)
                    normal[std::size_t(a * (m_m + 1) + b)] += w2 * t[std::size_t(a)] * t[std::size_t(b)];
                normal[std::size_t(a * (m_m + 1) + m_m)] += w2 * t[std::size_t(a)] * target;
            }
        }
        // Gaussian elimination with partial pivoting.
        auto at = [&](int a, int b) -> long double& { return normal[std::size_t(a * (m_m + 1) + b)]; };
        for (int c = 0; c < m_m; ++c) {
            int pivot = c;
            for (int a = c + 1; a < m_m; ++a)
                if (std::fabs(at(a, c)) > std::fabs(at(pivot, c)))
                    pivot = a;
            for (int b = 0; b <= m_m; ++b)
                std::swap(at(c, b), at(pivot, b));
            for (int a = c + 1; a < m_m; ++a) {
                const long double f = at(a, c) / at(c, c);
                for (int b = c; b <= m_m; ++b)
                    at(a, b) -= f * at(c, b);
            }
        }
        std::vector<double> g(static_cast<std::size_t>(m_m), 0.0);
        for (int a = m_m - 1; a >= 0; --a) {
            long double s = at(a, m_m);
            for (int b = a + 1; b < m_m; ++b)
                s -= at(a, b) * g[std::size_t(b)];
            g[std::size_t(a)] = double(s / at(a, a));
        }
        m_coefficients.push_back(g);
    }

    double nodal(int j, const double* x) const
    {
        double e[3];
        for (int a = 0; a < m_nx; ++a)
            e[a] = x[a] - point(j)[a];
        const std::vector<double> t = terms(e);
        long double q = point(j)[m_nx];
        for (int a = 0; a < m_m; ++a)
            q += (long double)m_coefficients[std::size_t(j)][std::size_t(a)] * t[std::size_t(a)];
        return double(q);
    }

    const std::vector<double>& m_rows;
    int m_nx;
    int m_n = 0;
    int m_nq = 1;
    int m_nw = 1;
    int m_m = 0;
    std::vector<std::vector<double>> m_coefficients;
};

void IdwModelTest::matchesBruteForceReference()
{
    for (int nx : {2, 3}) {
        QRandomGenerator noise(nx == 2 ? 211 : 223);
        const std::vector<double> rows
            = scattered(nx == 2 ? 120 : 250, nx, [&noise](const double*) { return 100.0 * noise.generateDouble(); },
                        quint32(227 + nx));
        IdwModel model;
        QVERIFY(model.build(rows.data(), rowCount(rows, nx), nx));
        const ReferenceModel reference(rows, nx);
        IdwModel::Scratch scratch;
        QRandomGenerator random(229);
        double worst = 0.0;
        int clamped = 0;
        for (int i = 0; i < 400; ++i) {
            double p[3];
            for (int a = 0; a < nx; ++a)
                p[a] = -2.0 + 14.0 * random.generateDouble();
            const double expected = reference.value(p, false);
            const double bounded = reference.value(p, true);
            clamped += bounded != expected;
            worst = std::max(worst, std::fabs(model.unboundedValue(scratch, p) - expected) / (1.0 + std::fabs(expected)));
            worst = std::max(worst, std::fabs(model.value(scratch, p) - bounded) / (1.0 + std::fabs(bounded)));
        }
        // Random values: the weighted mean often leaves its neighbours' range.
        QVERIFY(clamped > 40);
        QVERIFY2(worst < 1e-11, qPrintable(QString("nx %1: relative difference %2").arg(nx).arg(worst)));
    }
}

// The weighted mean reproduces quadratics everywhere, outside the hull too.
// The bounded value does so only where the nw nearest nodes' values bracket
// the quadratic; elsewhere (near an extremum between nodes, or beyond the
// data) it is held at the nearest of them.
void IdwModelTest::reproducesQuadratics()
{
    QRandomGenerator random(17);
    for (int nx : {2, 3}) {
        const std::vector<double> rows = nx == 2 ? scattered(80, 2, quadratic2, 3) : scattered(400, 3, quadratic3, 9);
        const Field f = nx == 2 ? quadratic2 : quadratic3;
        IdwModel model;
        QVERIFY(model.build(rows.data(), rowCount(rows, nx), nx));
        IdwModel::Scratch scratch;
        int bracketed = 0;
        for (int i = 0; i < 500; ++i) {
            // Inside and well outside the hull of [0, 10)^nx.
            double p[3];
            for (int a = 0; a < nx; ++a)
                p[a] = nx == 2 ? -5.0 + 20.0 * random.generateDouble() : -3.0 + 16.0 * random.generateDouble();
            const double expected = f(p);
            const double held = clampedToNeighbours(expected, rows, nx, model.nw(), p);
            bracketed += held == expected;
            QVERIFY2(std::fabs(model.unboundedValue(scratch, p) - expected) <= 1e-12 * 100.0,
                     qPrintable(QString("at %1 %2 %3").arg(p[0]).arg(p[1]).arg(p[2])));
            QVERIFY2(std::fabs(model.value(scratch, p) - held) <= 1e-12 * 100.0,
                     qPrintable(QString("at %1 %2 %3").arg(p[0]).arg(p[1]).arg(p[2])));
        }
        QVERIFY2(bracketed > 100 && bracketed < 450, qPrintable(QString::number(bracketed)));
    }
    // Linear and constant fields likewise.
    const std::vector<double> linear = scattered(80, 2, [](const double* p) { return 3.0 - p[0] + 0.5 * p[1]; }, 4);
    IdwModel model;
    QVERIFY(model.build(linear.data(), rowCount(linear, 2), 2));
    const std::vector<double> constant = scattered(80, 2, [](const double*) { return 7.25; }, 4);
    IdwModel flat;
    QVERIFY(flat.build(constant.data(), rowCount(constant, 2), 2));
    IdwModel::Scratch scratch;
    for (int i = 0; i < 200; ++i) {
        const double p[2] = {-5.0 + 20.0 * random.generateDouble(), -5.0 + 20.0 * random.generateDouble()};
        QVERIFY(std::fabs(model.unboundedValue(scratch, p) - (3.0 - p[0] + 0.5 * p[1])) <= 1e-12 * 20.0);
        QVERIFY(std::fabs(flat.value(scratch, p) - 7.25) <= 1e-13 * 10.0);
    }
}

// Records 0.5 m apart on lines 10 m apart, jittered across the lines, three
// or four depths below a rolling surface, values with 2 % noise: the nodal
// quadratics, fitted on neighbourhoods about a metre wide, reach metres
// across to the next line.
void IdwModelTest::boundedOnSurveyLines()
{
    QRandomGenerator random(101);
    auto uniform = [&random](double a, double b) { return a + (b - a) * random.generateDouble(); };
    for (double jitter : {0.01, 0.5, 1.5}) {
        std::vector<double> surface;
        std::vector<double> samples;
        for (int line = 0; line < 4; ++line)
            for (int i = 0; i <= 80; ++i) {
                const double x = 0.5 * i;
                const double y = 10.0 * line + uniform(-jitter, jitter);
                const double top = 100.0 + 0.3 * std::sin(x / 15.0) + 0.01 * uniform(-1, 1);
                surface.insert(surface.end(), {x, y, top});
                for (int d = 1; d <= 3 + line % 2; ++d) {
                    const double z = top - 0.5 * d;
                    const double truth = 85.0 + 35.0 * std::sin(x / 7.0 + z / 3.0) * std::cos(y / 13.0);
                    samples.insert(samples.end(), {x, y, z, truth * (1.0 + 0.02 * uniform(-1, 1))});
                }
            }
        for (const std::vector<double>* rows : {&surface, &samples}) {
            const int nx = rows == &surface ? 2 : 3;
            IdwModel model;
            QVERIFY(model.build(rows->data(), rowCount(*rows, nx), nx));
            IdwModel::Scratch scratch;
            for (qint64 i = 0; i < model.count(); ++i) {
                const double* node = &(*rows)[std::size_t(i * (nx + 1))];
                QVERIFY(sameBits(model.value(scratch, node), node[nx]));
            }
            int queries = 0;
            int changed = 0;
            double worst = 0.0;
            for (double x = -1.0; x < 41.0; x += 0.7)
                for (double y = -3.0; y < 33.0; y += 0.7) {
                    const double p[3] = {x, y, 98.9};
                    const double unbounded = model.unboundedValue(scratch, p);
                    const double v = model.value(scratch, p);
                    QVERIFY(sameBits(v, clampedToNeighbours(unbounded, *rows, nx, model.nw(), p)));
                    QVERIFY(v > 0.0);
                    ++queries;
                    changed += v != unbounded;
                    worst = std::max(worst, std::fabs(unbounded - v));
                }
            qInfo("%d-D, jitter %.2f m: %.1f %% of %d values bounded, by up to %.3g", nx, jitter,
                  100.0 * changed / queries, queries, worst);
            QVERIFY(changed > queries / 20);
        }
    }
}

void IdwModelTest::linearInData()
{
    QRandomGenerator noise(23);
    std::vector<double> f = scattered(200, 3, [&noise](const double*) { return noise.generateDouble(); }, 31);
    std::vector<double> g = f;
    std::vector<double> combined = f;
    std::vector<double> shifted = f;
    std::vector<double> moved = f;
    const double offset[3] = {1000.0, -2000.0, 50.0};
    for (std::size_t i = 0; i < f.size(); i += 4) {
        g[i + 3] = std::sin(f[i]) + f[i + 2];
        combined[i + 3] = 2.0 * f[i + 3] - 3.0 * g[i + 3];
        shifted[i + 3] = f[i + 3] + 40.0;
        for (int a = 0; a < 3; ++a)
            moved[i + std::size_t(a)] += offset[a];
    }
    IdwModel mf, mg, mc, ms, mm;
    QVERIFY(mf.build(f.data(), 200, 3));
    QVERIFY(mg.build(g.data(), 200, 3));
    QVERIFY(mc.build(combined.data(), 200, 3));
    QVERIFY(ms.build(shifted.data(), 200, 3));
    QVERIFY(mm.build(moved.data(), 200, 3));
    IdwModel::Scratch scratch;
    QRandomGenerator random(29);
    for (int i = 0; i < 300; ++i) {
        const double p[3] = {12.0 * random.generateDouble() - 1.0, 12.0 * random.generateDouble() - 1.0,
                             12.0 * random.generateDouble() - 1.0};
        const double q[3] = {p[0] + offset[0], p[1] + offset[1], p[2] + offset[2]};
        // The bound, taken from each model's own data, holds under a shift
        // of the values but not under their combinations.
        const double uf = mf.unboundedValue(scratch, p);
        const double ug = mg.unboundedValue(scratch, p);
        const double vf = mf.value(scratch, p);
        QVERIFY(std::isfinite(uf) && std::isfinite(ug));
        const double scale = 1.0 + std::fabs(uf) + std::fabs(ug);
        QVERIFY(std::fabs(mc.unboundedValue(scratch, p) - (2.0 * uf - 3.0 * ug)) <= 1e-10 * scale);
        QVERIFY(std::fabs(ms.value(scratch, p) - (vf + 40.0)) <= 1e-10 * (scale + 40.0));
        // Translation changes only rounding (coordinates near 1000 lose digits).
        QVERIFY(std::fabs(mm.value(scratch, q) - vf) <= 1e-7 * scale);
    }
}

void IdwModelTest::convexCombinationOfNodalFunctions()
{
    QRandomGenerator noise(41);
    const std::vector<double> rows
        = scattered(150, 2, [&noise](const double*) { return 10.0 * noise.generateDouble(); }, 43);
    IdwModel model;
    QVERIFY(model.build(rows.data(), 150, 2));
    IdwModel::Scratch scratch;
    QRandomGenerator random(47);
    for (int i = 0; i < 200; ++i) {
        const double p[2] = {10.0 * random.generateDouble(), 10.0 * random.generateDouble()};
        double low = 1e300;
        double high = -1e300;
        for (const auto& near : nearest(rows, 2, p, model.nw())) {
            const int node = near.second;
            const double* c = model.coefficients(node);
            const double ex = p[0] - rows[std::size_t(3 * node)];
            const double ey = p[1] - rows[std::size_t(3 * node + 1)];
            const double q = rows[std::size_t(3 * node + 2)] + c[0] * ex + c[1] * ey + c[2] * ex * ex
                + c[3] * ex * ey + c[4] * ey * ey;
            low = std::min(low, q);
            high = std::max(high, q);
        }
        const double v = model.unboundedValue(scratch, p);
        QVERIFY(v >= low - 1e-9 && v <= high + 1e-9);
    }
}

void IdwModelTest::singlePoint()
{
    const double row[4] = {1.0, 2.0, 3.0, 42.5};
    IdwModel model;
    QVERIFY(model.build(row, 1, 3));
    QCOMPARE(model.nq(), 1);
    QCOMPARE(model.nw(), 1);
    for (int a = 0; a < 9; ++a)
        QCOMPARE(model.coefficients(0)[a], 0.0);
    IdwModel::Scratch scratch;
    QCOMPARE(model.value(scratch, 1.0, 2.0, 3.0), 42.5);
    QCOMPARE(model.value(scratch, -100.0, 7.0, 1e6), 42.5);
    // Wrong dimension or non-finite coordinates give no value.
    QVERIFY(std::isnan(model.value(scratch, 1.0, 2.0)));
    QVERIFY(std::isnan(model.value(scratch, 1.0, std::nan(""), 3.0)));
    QVERIFY(std::isnan(model.value(scratch, 1.0, 2.0, HUGE_VAL)));
}

void IdwModelTest::coincidentAndDuplicatePoints()
{
    {
        // All at one place, fewer than nw: the plain mean of every value.
        const double rows[] = {5.0, 5.0, 1.0, 5.0, 5.0, 2.0, 5.0, 5.0, 6.0};
        IdwModel model;
        QVERIFY(model.build(rows, 3, 2));
        IdwModel::Scratch scratch;
        for (int j = 0; j < 3; ++j)
            for (int a = 0; a < 5; ++a)
                QCOMPARE(model.coefficients(j)[a], 0.0);
        QCOMPARE(model.value(scratch, 5.0, 5.0), 3.0);
        QCOMPARE(model.value(scratch, -7.0, 12.0), 3.0);
    }
    {
        // More coincident points than nw: the mean of nw of them.
        std::vector<double> rows;
        const double values[] = {1.0, 2.0, 4.0, 8.0, 16.0, 32.0, 64.0};
        for (double v : values)
            rows.insert(rows.end(), {0.5, 0.5, v});
        IdwModel model;
        QVERIFY(model.build(rows.data(), 7, 2));
        IdwModel::Scratch scratch;
        // Powers of two: five distinct ones sum to a value that names them.
        const double sum = model.value(scratch, 3.0, 3.0) * 5.0;
        const qint64 whole = std::llround(sum);
        QVERIFY(std::fabs(sum - double(whole)) < 1e-9);
        int bits = 0;
        for (int b = 0; b < 7; ++b)
            bits += (whole >> b) & 1;
        QCOMPARE(bits, 5);
        QCOMPARE(whole >> 7, qint64(0));
    }
    {
        // One duplicated location among scattered nodes.
        QRandomGenerator noise(53);
        std::vector<double> rows
            = scattered(60, 2, [&noise](const double*) { return noise.generateDouble(); }, 59);
        rows.insert(rows.end(), {rows[0], rows[1], 10.0});
        rows[2] = 4.0;
        IdwModel model;
        QVERIFY(model.build(rows.data(), 61, 2));
        IdwModel::Scratch scratch;
        QCOMPARE(model.value(scratch, rows[0], rows[1]), 7.0);
        // The twins fitted their nodal functions without each other, so both are finite.
        for (int a = 0; a < 5; ++a) {
            QVERIFY(std::isfinite(model.coefficients(0)[a]));
            QVERIFY(std::isfinite(model.coefficients(60)[a]));
        }
        // Close by, the mean of the twins' nodal functions.
        const double p[2] = {rows[0] + 1e-9, rows[1] - 1e-9};
        auto nodal = [&](int node) {
            const double* c = model.coefficients(node);
            const double ex = p[0] - rows[std::size_t(3 * node)];
            const double ey = p[1] - rows[std::size_t(3 * node + 1)];
            return rows[std::size_t(3 * node + 2)] + c[0] * ex + c[1] * ey + c[2] * ex * ex + c[3] * ex * ey
                + c[4] * ey * ey;
        };
        QVERIFY(std::fabs(model.value(scratch, p) - 0.5 * (nodal(0) + nodal(60))) <= 1e-12);
        // The other nodes stay exact.
        for (int i = 1; i < 60; ++i)
            QVERIFY(sameBits(model.value(scratch, &rows[std::size_t(3 * i)]), rows[std::size_t(3 * i + 2)]));
    }
}

void IdwModelTest::collinearPoints()
{
    // Nodes on the line (1 + 2t, -1 + t), values quadratic in t.
    auto along = [](double t) { return 3.0 - t + 0.5 * t * t; };
    std::vector<double> rows;
    for (int i = 0; i < 30; ++i) {
        const double t = 0.37 * i + 0.01 * (i % 3);
        rows.insert(rows.end(), {1.0 + 2.0 * t, -1.0 + t, along(t)});
    }
    IdwModel model;
    QVERIFY(model.build(rows.data(), 30, 2));
    IdwModel::Scratch scratch;
    for (int i = 0; i < 30; ++i)
        QVERIFY(sameBits(model.value(scratch, &rows[std::size_t(3 * i)]), rows[std::size_t(3 * i + 2)]));
    for (int i = 0; i < 100; ++i) {
        const double t = -2.0 + 0.15 * i;
        const double p[2] = {1.0 + 2.0 * t, -1.0 + t};
        const double onLine = model.unboundedValue(scratch, p);
        QVERIFY2(std::fabs(onLine - along(t)) <= 1e-9 * (1.0 + std::fabs(along(t))), qPrintable(QString::number(t)));
        QVERIFY(std::isfinite(model.value(scratch, 1.0 + 2.0 * t + 3.0, -1.0 + t - 5.0)));
    }
    // Coplanar in 3-D: finite and exact at the nodes.
    std::vector<double> plane;
    QRandomGenerator random(61);
    for (int i = 0; i < 50; ++i) {
        const double u = 10.0 * random.generateDouble();
        const double v = 10.0 * random.generateDouble();
        plane.insert(plane.end(), {u, v, 0.5 * u - v, u * v});
    }
    QVERIFY(model.build(plane.data(), 50, 3));
    for (int i = 0; i < 50; ++i)
        QVERIFY(sameBits(model.value(scratch, &plane[std::size_t(4 * i)]), plane[std::size_t(4 * i + 3)]));
    QVERIFY(std::isfinite(model.value(scratch, 3.0, 3.0, 40.0)));
}

void IdwModelTest::fewerPointsThanNeighbours()
{
    QRandomGenerator noise(67);
    for (int n : {2, 4, 5, 6, 7, 9}) {
        const std::vector<double> rows
            = scattered(n, 2, [&noise](const double*) { return noise.generateDouble(); }, quint32(70 + n));
        IdwModel model;
        QVERIFY(model.build(rows.data(), n, 2));
        QCOMPARE(model.nq(), n);
        QCOMPARE(model.nw(), std::min(n, 5));
        IdwModel::Scratch scratch;
        for (int i = 0; i < n; ++i) {
            QVERIFY(sameBits(model.value(scratch, &rows[std::size_t(3 * i)]), rows[std::size_t(3 * i + 2)]));
            for (int a = 0; a < 5; ++a)
                QVERIFY(std::isfinite(model.coefficients(i)[a]));
        }
        QVERIFY(std::isfinite(model.value(scratch, 4.0, 6.0)));
        QVERIFY(std::isfinite(model.value(scratch, -40.0, 60.0)));
    }
    // Two nodes: each nodal function is the minimum-norm fit to the other,
    // so on the line through both the model is linear.
    const double two[] = {0.0, 0.0, 1.0, 2.0, 0.0, 5.0};
    IdwModel model;
    QVERIFY(model.build(two, 2, 2));
    IdwModel::Scratch scratch;
    QCOMPARE(model.value(scratch, 0.0, 0.0), 1.0);
    QCOMPARE(model.value(scratch, 2.0, 0.0), 5.0);
    // Midway both have weight 1 and agree on 3.
    QVERIFY(std::fabs(model.value(scratch, 1.0, 0.0) - 3.0) < 1e-12);
}

void IdwModelTest::threadCountDoesNotChangeResult()
{
    // Survey-like columns of samples make most fits rank-deficient, so both
    // solver branches run.
    QRandomGenerator random(71);
    std::vector<double> rows;
    for (int r = 0; r < 1500; ++r) {
        const double x = r % 50 + 0.1 * random.generateDouble();
        const double y = 10.0 * (r / 50) + 0.1 * random.generateDouble();
        for (int d = 0; d < 4; ++d)
            rows.insert(rows.end(), {x, y, 100.0 - 0.5 * d, std::sin(x / 7.0) + 0.01 * y * d});
    }
    const std::vector<double> more = scattered(3000, 3, quadratic3, 73);
    rows.insert(rows.end(), more.begin(), more.end());
    const qint64 n = rowCount(rows, 3);

    IdwModel single;
    QVERIFY(single.build(rows.data(), n, 3, 1, 1, IdwModel::CancelFunction(), 1));
    for (int threads : {2, 3, ParallelLoop::idealWorkerCount() + 1}) {
        IdwModel parallel;
        QVERIFY(parallel.build(rows.data(), n, 3, 1, 1, IdwModel::CancelFunction(), threads));
        for (qint64 i = 0; i < n; ++i)
            if (std::memcmp(single.coefficients(i), parallel.coefficients(i), 9 * sizeof(double)) != 0)
                QFAIL(qPrintable(QString("node %1 differs with %2 threads").arg(i).arg(threads)));
    }

    // Several readers at once, each with its own scratch, see what one sees.
    std::vector<double> queries;
    for (int i = 0; i < 4000; ++i)
        queries.insert(queries.end(), {60.0 * random.generateDouble() - 5.0, 310.0 * random.generateDouble() - 5.0,
                                       96.0 + 6.0 * random.generateDouble()});
    std::vector<double> expected(4000);
    IdwModel::Scratch scratch;
    for (int i = 0; i < 4000; ++i)
        expected[std::size_t(i)] = single.value(scratch, &queries[std::size_t(3 * i)]);
    std::vector<std::vector<double>> seen(4, std::vector<double>(4000));
    std::vector<std::thread> readers;
    for (int t = 0; t < 4; ++t)
        readers.emplace_back([&, t] {
            IdwModel::Scratch own;
            for (int i = 0; i < 4000; ++i)
                seen[std::size_t(t)][std::size_t(i)] = single.value(own, &queries[std::size_t(3 * i)]);
        });
    for (std::thread& reader : readers)
        reader.join();
    for (int t = 0; t < 4; ++t)
        QVERIFY(std::memcmp(seen[std::size_t(t)].data(), expected.data(), expected.size() * sizeof(double)) == 0);
}

void IdwModelTest::rejectsBadInput()
{
    IdwModel model;
    const double rows[] = {0.0, 0.0, 1.0, 1.0, 0.0, 2.0, 0.0, 1.0, 3.0};
    QVERIFY(model.build(rows, 3, 2));
    const double bad[][9] = {{0.0, 0.0, 1.0, std::nan(""), 0.0, 2.0, 0.0, 1.0, 3.0},
                             {0.0, 0.0, 1.0, 1.0, 0.0, HUGE_VAL, 0.0, 1.0, 3.0},
                             {0.0, 0.0, 1.0, 1.0, 0.0, 2.0, 0.0, -HUGE_VAL, 3.0}};
    for (const auto& b : bad) {
        bool thrown = false;
        try {
            model.build(b, 3, 2);
        } catch (const alglib::ap_error&) {
            thrown = true;
        }
        QVERIFY(thrown);
    }
    bool thrown = false;
    try {
        model.build(rows, 0, 2);
    } catch (const alglib::ap_error&) {
        thrown = true;
    }
    QVERIFY(thrown);
    // The model from before the failures is intact.
    IdwModel::Scratch scratch;
    QCOMPARE(model.count(), qint64(3));
    QCOMPARE(model.value(scratch, 1.0, 0.0), 2.0);

    IdwModel empty;
    QVERIFY(empty.isEmpty());
    QVERIFY(std::isnan(empty.value(scratch, 1.0, 0.0)));
}

void IdwModelTest::cancelLeavesModel()
{
    const std::vector<double> small = scattered(50, 2, quadratic2, 79);
    IdwModel model;
    QVERIFY(model.build(small.data(), 50, 2));
    IdwModel::Scratch scratch;
    const double before = model.value(scratch, 3.3, 4.4);

    const std::vector<double> large = scattered(20000, 2, [](const double* p) { return p[0]; }, 83);
    for (int threads : {1, 4}) {
        std::atomic<int> calls{0};
        const bool built = model.build(large.data(), 20000, 2, 1, 1, [&calls] { return ++calls > 1000; }, threads);
        QVERIFY(!built);
        // Asked once per node: each thread stops at its next node.
        QVERIFY(calls <= 1000 + threads);
        QCOMPARE(model.count(), qint64(50));
        QVERIFY(sameBits(model.value(scratch, 3.3, 4.4), before));
    }
    QVERIFY(model.build(large.data(), 20000, 2, 1, 1, [] { return false; }));
    QCOMPARE(model.count(), qint64(20000));
}

void IdwModelTest::scratchPerCaller()
{
    const std::vector<double> a = scattered(40, 2, [](const double*) { return 1.0; }, 89);
    const std::vector<double> b = scattered(900, 3, [](const double*) { return 2.0; }, 97);
    IdwModel first;
    IdwModel second;
    QVERIFY(first.build(a.data(), 40, 2));
    QVERIFY(second.build(b.data(), 900, 3));
    // One scratch moves between models of other sizes and dimensions.
    IdwModel::Scratch scratch;
    for (int i = 0; i < 3; ++i) {
        QVERIFY(std::fabs(first.value(scratch, 5.0, 5.0) - 1.0) < 1e-12);
        QVERIFY(std::fabs(second.value(scratch, 5.0, 5.0, 5.0) - 2.0) < 1e-12);
    }
    // A moved model keeps working with a scratch bound to it.
    IdwModel moved(std::move(second));
    QVERIFY(second.isEmpty());
    QVERIFY(std::fabs(moved.value(scratch, 4.0, 4.0, 4.0) - 2.0) < 1e-12);
    // A rebuilt model with fewer points is not read through an old buffer.
    QVERIFY(moved.build(a.data(), 40, 2));
    QVERIFY(std::fabs(moved.value(scratch, 4.0, 4.0) - 1.0) < 1e-12);
}

TUNDRACK_TEST(IdwModelTest)
#include "idwmodeltest.moc"
