#include "common/testregistry.h"

#include "slices/idwmodel.h"
#include "slices/idwnodalfit.h"

#include <linalg.h>
#include <solvers.h>

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

bool sameBits(const double* a, const double* b, int n)
{
    return std::memcmp(a, b, std::size_t(n) * sizeof(double)) == 0;
}

double maxAbs(const double* a, int n)
{
    double s = 0.0;
    for (int i = 0; i < n; ++i)
        s = std::max(s, std::fabs(a[i]));
    return s;
}

// |a - b| relative to the larger of the two vectors.
double relativeDifference(const double* a, const double* b, int n)
{
    double d = 0.0;
    for (int i = 0; i < n; ++i)
        d = std::max(d, std::fabs(a[i] - b[i]));
    const double scale = std::max(maxAbs(a, n), maxAbs(b, n));
    return scale == 0.0 ? d : d / scale;
}

QString outcomeText(const IdwNodalFit::Outcome& o)
{
    return QString("branch %1 rank %2").arg(int(o.branch)).arg(o.rank);
}

// Neighbour layouts of one node, as offsets from it (nx coordinates each).
enum class Layout {
    Scattered,     // general position
    Collinear,     // on a line through the node (2-D and 3-D)
    Coplanar,      // on a plane through the node (3-D)
    Columns,       // survey: vertical columns of samples on one line, exact
    NoisyColumns,  // the same with positioning noise per column
    NearlyLinear,  // a line, perturbed by 1e-6 of the spread
    Lattice,       // a regular grid
    Repeated,      // three distinct neighbours, each several times
    Count
};

class Generator
{
public:
    explicit Generator(quint32 seed) : m_random(seed) {}

    double uniform(double a, double b) { return a + (b - a) * m_random.generateDouble(); }
    int integer(int a, int b) { return a + int(m_random.bounded(quint32(b - a + 1))); }

    // k offsets for the layout, sorted by distance as the kd-tree gives them.
    std::vector<double> offsets(Layout layout, int nx, int k, std::vector<double>& distances)
    {
        std::vector<std::vector<double>> points;
        const double scale = std::pow(10.0, uniform(-3.0, 3.0));
        const double direction[3] = {uniform(-1, 1), uniform(-1, 1), uniform(-1, 1)};
        const double second[3] = {uniform(-1, 1), uniform(-1, 1), uniform(-1, 1)};
        for (int j = 0; j < k; ++j) {
            std::vector<double> e(std::size_t(nx), 0.0);
            switch (layout) {
            case Layout::Scattered:
                for (int a = 0; a < nx; ++a)
                    e[std::size_t(a)] = uniform(-1, 1);
                break;
            case Layout::Collinear:
            case Layout::NearlyLinear: {
                const double t = uniform(-1, 1);
                for (int a = 0; a < nx; ++a)
                    e[std::size_t(a)] = t * direction[a];
                if (layout == Layout::NearlyLinear)
                    for (int a = 0; a < nx; ++a)
                        e[std::size_t(a)] += 1e-6 * uniform(-1, 1);
                break;
            }
            case Layout::Coplanar: {
                const double s = uniform(-1, 1);
                const double t = uniform(-1, 1);
                for (int a = 0; a < nx; ++a)
                    e[std::size_t(a)] = s * direction[a] + t * second[a];
                break;
            }
            case Layout::Columns:
            case Layout::NoisyColumns: {
                // Columns 1 apart along x, samples 0.5 apart in depth.
                const int column = integer(-2, 2);
                const double noise = layout == Layout::NoisyColumns ? 0.05 : 0.0;
                e[0] = column + (column == 0 ? 0.0 : noise * std::sin(3.0 * column + direction[0]));
                if (nx >= 2)
                    e[1] = column == 0 ? 0.0 : noise * std::cos(5.0 * column + direction[1]);
                if (nx == 3)
                    e[2] = 0.5 * integer(-4, 4) + (column == 0 ? 0.0 : 0.01 * column);
                break;
            }
            case Layout::Lattice:
                for (int a = 0; a < nx; ++a)
                    e[std::size_t(a)] = integer(-2, 2);
                break;
            case Layout::Repeated: {
                const int which = integer(0, 2);
                for (int a = 0; a < nx; ++a)
                    e[std::size_t(a)] = which == 0 ? direction[a] : which == 1 ? second[a] : direction[a] - second[a];
                break;
            }
            case Layout::Count:
                break;
            }
            bool zero = true;
            for (double v : e)
                zero = zero && v == 0.0;
            if (zero)
                e[0] = 1.0;
            for (double& v : e)
                v *= scale;
            points.push_back(e);
        }
        auto norm = [](const std::vector<double>& e) {
            double s = 0.0;
            for (double v : e)
                s += v * v;
            return std::sqrt(s);
        };
        std::sort(points.begin(), points.end(),
                  [&](const std::vector<double>& a, const std::vector<double>& b) { return norm(a) < norm(b); });
        std::vector<double> flat;
        distances.clear();
        for (const std::vector<double>& e : points) {
            flat.insert(flat.end(), e.begin(), e.end());
            distances.push_back(norm(e));
        }
        return flat;
    }

private:
    QRandomGenerator m_random;
};

// Fills the weighted rows of the fit the way the model does.
void fillSystem(IdwNodalFit& fit, int nx, const std::vector<double>& offsets, const std::vector<double>& distances,
                const std::vector<double>& targets)
{
    const int m = fit.unknowns();
    const int k = int(distances.size());
    const double d0 = distances.front();
    const double r = distances.back();
    for (int j = 0; j < k; ++j) {
        double* row = fit.row(j);
        const double* e = &offsets[std::size_t(j * nx)];
        for (int a = 0; a < nx; ++a)
            row[a] = e[a];
        int o = nx;
        for (int a = 0; a < nx; ++a)
            for (int b = a; b < nx; ++b)
                row[o++] = e[a] * e[b];
        row[m] = targets[std::size_t(j)];
        const double w = IdwModel::shepardWeight(distances[std::size_t(j)], d0, r);
        for (int u = 0; u <= m; ++u)
            row[u] *= w;
    }
}

// An upper triangular n x n matrix (row stride n) of a chosen kind.
std::vector<double> triangle(Generator& random, int n, int kind)
{
    std::vector<double> r(std::size_t(n * n), 0.0);
    const double scale = std::pow(10.0, random.uniform(-150.0, 150.0));
    for (int i = 0; i < n; ++i)
        for (int j = i; j < n; ++j)
            r[std::size_t(i * n + j)] = random.uniform(-1, 1) * scale;
    switch (kind % 6) {
    case 0: // general
        break;
    case 1: // exact zero on the diagonal
        r[std::size_t(random.integer(0, n - 1) * (n + 1))] = 0.0;
        break;
    case 2: { // a graded diagonal under full-size entries: far beyond the thresholds
        const double spread = random.uniform(6.0, 14.0);
        for (int i = 0; i < n; ++i)
            r[std::size_t(i * (n + 1))] = scale * std::pow(10.0, -spread * i / (n - 1));
        break;
    }
    case 3: // numerically singular: a rounding-size diagonal entry
        r[std::size_t(random.integer(0, n - 1) * (n + 1))] = scale * 1e-17 * random.uniform(-1, 1);
        break;
    case 4: { // a zero column
        const int c = random.integer(0, n - 1);
        for (int i = 0; i <= c; ++i)
            r[std::size_t(i * n + c)] = 0.0;
        break;
    }
    case 5: { // rows of a well conditioned unit triangle, graded: condition near the thresholds
        const double spread = random.uniform(8.0, 11.5);
        for (int i = 0; i < n; ++i) {
            const double d = scale * std::pow(10.0, -spread * i / (n - 1));
            for (int j = i; j < n; ++j)
                r[std::size_t(i * n + j)] = d * (i == j ? 1.0 : 0.3 * random.uniform(-1, 1));
        }
        break;
    }
    }
    return r;
}

double libraryReciprocalCondition(const std::vector<double>& r, int n)
{
    alglib::real_2d_array a;
    a.setcontent(n, n, r.data());
    return alglib::rmatrixtrrcondinf(a, n, true, false);
}

// The error that rounding alone allows in the minimum-norm solution x of the
// p x q system a x ~ b (row stride lda), relative to x: the unit roundoff
// times the condition number of the part kept, plus its square times the
// relative residual. kept receives the smallest singular value kept,
// relative to the largest.
double roundingBound(const double* a, int lda, int p, int q, const double* b, const double* x, double& kept)
{
    alglib::real_2d_array c;
    c.setlength(p, q);
    for (int i = 0; i < p; ++i)
        for (int j = 0; j < q; ++j)
            c[i][j] = a[i * lda + j];
    alglib::real_1d_array sigma;
    alglib::real_2d_array unused;
    alglib::rmatrixsvd(c, p, q, 0, 0, 2, sigma, unused, unused);
    kept = 1.0;
    for (int i = 0; i < std::min(p, q); ++i)
        if (sigma[i] > 5e-12 * sigma[0])
            kept = sigma[i] / sigma[0];
    double residual = 0.0;
    for (int i = 0; i < p; ++i) {
        double t = -b[i];
        for (int j = 0; j < q; ++j)
            t += a[i * lda + j] * x[j];
        residual += t * t;
    }
    double norm = 0.0;
    for (int j = 0; j < q; ++j)
        norm += x[j] * x[j];
    if (sigma[0] == 0.0 || norm == 0.0)
        return DBL_EPSILON;
    const double condition = 1.0 / kept;
    return DBL_EPSILON * condition * (1.0 + condition * std::sqrt(residual) / (sigma[0] * std::sqrt(norm)));
}

} // namespace

class IdwNodalFitTest : public QObject
{
    Q_OBJECT

private slots:
    void roundsInTheLegacyOrder();
    void qrAgreesWithTheLibrary();
    void conditionTestDecidesAsTheLibrary();
    void minimumNormSolveMatchesTheLibrary();
    void fitsMatchTheLibrary();
    void modelsMatchTheLibrary();
};

void IdwNodalFitTest::roundsInTheLegacyOrder()
{
    // The weight: both factors rounded apart, their product squared. Left
    // to right the same formula rounds differently here.
    const double d0 = 0.1;
    const double d = 0.2;
    const double r = 1.0;
    const double v1 = (r - d) / (r - d0);
    const double v2 = d0 / d;
    const double weight = (v1 * v2) * (v1 * v2);
    const double leftToRight = (r - d) / (r - d0) * d0 / d;
    const double otherWeight = leftToRight * leftToRight;
    QVERIFY(!sameBits(&weight, &otherWeight, 1));
    const double w = IdwModel::shepardWeight(d, d0, r);
    QVERIFY(sameBits(&w, &weight, 1));
    QCOMPARE(IdwModel::shepardWeight(d0, d0, r), 1.0);
    QCOMPARE(IdwModel::shepardWeight(r, d0, r), 0.0);

    // The reflector of the column (1, 1) and the update of the column
    // (0.3, 0.7) and of the target (0.1, 0.3): s = a0 + a1 v, then
    // a += (-(tau s)) v. Scaling v by tau first, as the library's QR does,
    // rounds the lower entries differently.
    double a[] = {1.0, 0.3, 0.1, 1.0, 0.7, 0.3};
    const std::vector<double> system(a, a + 6);
    double work[2];
    IdwNodalFit::householderQr(a, 2, 3, 2, work);
    const double beta = -std::sqrt(2.0);
    const double tau = (beta - 1.0) / beta;
    const double v = 1.0 / (1.0 - beta);
    QVERIFY(sameBits(&a[0], &beta, 1));
    QVERIFY(sameBits(&a[3], &v, 1));
    double expected[6] = {beta, 0.0, 0.0, v, 0.0, 0.0};
    for (int c : {1, 2}) {
        const double s = system[std::size_t(c)] + system[std::size_t(3 + c)] * v;
        const double t = -(tau * s);
        expected[c] = system[std::size_t(c)] + t;
        expected[3 + c] = system[std::size_t(3 + c)] + t * v;
        const double scaledFirst = system[std::size_t(3 + c)] + (-tau * v) * s;
        QVERIFY(!sameBits(&expected[3 + c], &scaledFirst, 1));
    }
    QVERIFY(sameBits(a, expected, 6));

    // The back substitution's dot products in blocks of four. R is the unit
    // matrix but for R[0][1] = 1 and R[0][5] = R[0][6] = 2^-53, and
    // c = (1, 1, 0, 0, 0, 1, 1, 0, 0); the QR leaves a triangular system as
    // it is. Then g = c but for g[0] = 1 - ((1 + 0 + 0 + 0) + (2^-53 +
    // 2^-53 + 0 + 0)) = -2^-52, where a sum term by term would round to 1
    // and give 0.
    IdwNodalFit fit(9, 9);
    const double c[9] = {1.0, 1.0, 0.0, 0.0, 0.0, 1.0, 1.0, 0.0, 0.0};
    for (int j = 0; j < 9; ++j) {
        std::fill(fit.row(j), fit.row(j) + 10, 0.0);
        fit.row(j)[j] = 1.0;
        fit.row(j)[9] = c[j];
    }
    fit.row(0)[1] = 1.0;
    fit.row(0)[5] = fit.row(0)[6] = std::ldexp(1.0, -53);
    double solution[9];
    QCOMPARE(fit.solve(9, solution).branch, IdwNodalFit::Branch::Triangular);
    double blocked[9];
    std::copy(c, c + 9, blocked);
    blocked[0] = -std::ldexp(1.0, -52);
    QVERIFY(sameBits(solution, blocked, 9));
}

// The reflectors are generated as the library generates them, so the first
// column of R and its reflector are the library's to the last bit. The
// later columns are updated in another order than the library's QR uses:
// they agree with it as far as the conditioning of R allows, and seldom to
// the last bit.
void IdwNodalFitTest::qrAgreesWithTheLibrary()
{
    Generator random(401);
    std::vector<double> work(64);
    int identical = 0;
    for (int trial = 0; trial < 6000; ++trial) {
        const int nx = trial % 3 == 0 ? 2 : 3;
        const int m = IdwModel::coefficientCount(nx);
        const int k = m + random.integer(0, 8);
        const Layout layout = Layout(trial % int(Layout::Count));
        std::vector<double> distances;
        const std::vector<double> offsets = random.offsets(layout, nx, k, distances);
        std::vector<double> targets;
        for (int j = 0; j < k; ++j)
            targets.push_back(random.uniform(-100, 100));
        IdwNodalFit fit(m, k);
        fillSystem(fit, nx, offsets, distances, targets);
        if (trial % 7 == 0) {
            // Beyond the library's scaling limits and a repeated row.
            const double factor = trial % 2 ? 1e-290 : 1e285;
            for (int j = 0; j < k; ++j)
                for (int u = 0; u <= m; ++u)
                    fit.row(j)[u] *= factor;
            std::copy(fit.row(0), fit.row(0) + m + 1, fit.row(1));
        }
        std::vector<double> columnSize(std::size_t(m + 1), 0.0);
        for (int j = 0; j < k; ++j)
            for (int v = 0; v <= m; ++v)
                columnSize[std::size_t(v)] = std::max(columnSize[std::size_t(v)], std::fabs(fit.row(j)[v]));

        alglib::real_2d_array a;
        a.setcontent(k, m + 1, fit.row(0));
        alglib::real_1d_array tau;
        alglib::rmatrixqr(a, k, m + 1, tau);
        IdwNodalFit::householderQr(fit.row(0), k, m + 1, m, work.data());
        for (int j = 0; j < k; ++j)
            if (!sameBits(fit.row(j), &a[j][0], 1))
                QFAIL(qPrintable(QString("trial %1: row %2 of the first column differs").arg(trial).arg(j)));
        std::vector<double> r(std::size_t(m * m), 0.0);
        bool same = true;
        double worst = 0.0;
        for (int u = 0; u < m; ++u) {
            same = same && sameBits(fit.row(u) + u, &a[u][u], m + 1 - u);
            for (int v = u; v <= m; ++v) {
                worst = std::max(worst, std::fabs(fit.row(u)[v] - a[u][v]) / columnSize[std::size_t(v)]);
                if (v < m)
                    r[std::size_t(u * m + v)] = a[u][v];
            }
        }
        const double rcond = libraryReciprocalCondition(r, m);
        QVERIFY2(worst * rcond <= DBL_EPSILON,
                 qPrintable(QString("trial %1: R|c differs by %2, condition %3").arg(trial).arg(worst).arg(rcond)));
        identical += same;
    }
    QVERIFY2(identical < 1000, qPrintable(QString::number(identical)));
}

void IdwNodalFitTest::conditionTestDecidesAsTheLibrary()
{
    Generator random(409);
    std::vector<double> work(256);
    alglib_impl::ae_state state;
    alglib_impl::ae_state_init(&state);
    const double maxGrowth = 1.0 / alglib_impl::rcondthreshold(&state);
    int above = 0;
    int below = 0;
    int open = 0;
    int openNearThreshold = 0;
    int failedSteps = 0;
    int boundsReached = 0;
    for (int trial = 0; trial < 24000; ++trial) {
        const int n = trial % 2 ? 9 : 5;
        const std::vector<double> r = triangle(random, n, trial / 2);
        const double threshold = 5e-12 * random.integer(n, 16);
        const double estimate = libraryReciprocalCondition(r, n);

        // The final step of the library's estimator, run by the library: its
        // scaled safe solve with the vector of alternating signs.
        double largest = 0.0;
        double anorm = 0.0;
        for (int i = 0; i < n; ++i) {
            double s = 0.0;
            for (int j = i; j < n; ++j) {
                largest = std::max(largest, std::fabs(r[std::size_t(i * n + j)]));
                if (j > i)
                    s += std::fabs(r[std::size_t(i * n + j)]);
            }
            anorm = std::max(anorm, s + std::fabs(r[std::size_t(i * n + i)]));
        }
        alglib::real_2d_array a;
        a.setcontent(n, n, r.data());
        alglib::real_1d_array x;
        x.setlength(n);
        for (int i = 0; i < n; ++i)
            x[i] = (double(i) / double(n - 1) + 1.0) * (i % 2 ? -1.0 : 1.0);
        const double sa = 1.0 / largest;
        const bool solved = largest != 0.0
            && alglib_impl::rmatrixscaledtrsafesolve(a.c_ptr(), sa, n, x.c_ptr(), true, 1, false, maxGrowth, &state);

        double bound = 0.0;
        const bool bounded = IdwNodalFit::conditionEstimateBound(r.data(), n, n, work.data(), bound);
        QVERIFY2(bounded == solved, qPrintable(QString("trial %1").arg(trial)));
        if (bounded) {
            double temp = 0.0;
            for (int i = 0; i < n; ++i)
                temp += std::fabs(x[i]);
            temp = (temp + temp) / double(3 * n);
            const double libraryBound = 1.0 / temp / (anorm * sa);
            if (!sameBits(&bound, &libraryBound, 1))
                QFAIL(qPrintable(
                    QString("trial %1: bound %2, library's step %3").arg(trial).arg(bound).arg(libraryBound)));
            if (!(estimate <= bound))
                QFAIL(qPrintable(
                    QString("trial %1: estimate %2 above the bound %3").arg(trial).arg(estimate).arg(bound)));
            if (estimate == bound)
                ++boundsReached;
        } else {
            ++failedSteps;
            QVERIFY2(estimate == 0.0,
                     qPrintable(QString("trial %1: estimate %2, expected 0").arg(trial).arg(estimate)));
        }

        switch (IdwNodalFit::settleConditionTest(r.data(), n, n, threshold, work.data())) {
        case IdwNodalFit::Settled::Above:
            QVERIFY2(estimate > threshold, qPrintable(QString("trial %1").arg(trial)));
            ++above;
            break;
        case IdwNodalFit::Settled::Below:
            QVERIFY2(!(estimate > threshold), qPrintable(QString("trial %1").arg(trial)));
            ++below;
            break;
        case IdwNodalFit::Settled::Open:
            ++open;
            if (estimate > threshold / 100.0 && estimate < threshold * 100.0)
                ++openNearThreshold;
            break;
        }
    }
    alglib_impl::ae_state_clear(&state);
    QVERIFY(failedSteps > 2000);
    QVERIFY(boundsReached > 0);
    // Both sides occur. The library's estimator is left only cases within a
    // factor 100 of the threshold, and not all of those (a sixth of the
    // trials is made to lie there).
    QVERIFY(above > 5000);
    QVERIFY(below > 10000);
    QVERIFY2(openNearThreshold == open && open < 3000, qPrintable(QString("%1 %2").arg(open).arg(openNearThreshold)));
}

void IdwNodalFitTest::minimumNormSolveMatchesTheLibrary()
{
    Generator random(419);
    int deferred = 0;
    int compared = 0;
    for (int trial = 0; trial < 4000; ++trial) {
        const int q = trial % 2 ? 9 : 5;
        const int p = random.integer(1, 16);
        const int rank = random.integer(0, std::min(p, q));
        // a = X diag(s) Y' with random X (p x rank), Y (q x rank): rank
        // singular directions, with spreads up to 1e8.
        std::vector<double> a(std::size_t(p * q), 0.0);
        const double spread = random.uniform(0.0, 8.0);
        for (int s = 0; s < rank; ++s) {
            const double sigma = std::pow(10.0, -spread * random.uniform(0, 1));
            std::vector<double> x(static_cast<std::size_t>(p));
            std::vector<double> y(static_cast<std::size_t>(q));
            for (double& v : x)
                v = random.uniform(-1, 1);
            for (double& v : y)
                v = random.uniform(-1, 1);
            for (int i = 0; i < p; ++i)
                for (int j = 0; j < q; ++j)
                    a[std::size_t(i * q + j)] += sigma * x[std::size_t(i)] * y[std::size_t(j)];
        }
        if (trial % 5 == 0 && q > 1) {
            // Exactly zero columns, as survey fits have them.
            const int c = random.integer(0, q - 1);
            for (int i = 0; i < p; ++i)
                a[std::size_t(i * q + c)] = 0.0;
        }
        std::vector<double> b(static_cast<std::size_t>(p));
        for (double& v : b)
            v = random.uniform(-10, 10);

        IdwNodalFit fit(q, 16);
        std::vector<double> own(static_cast<std::size_t>(q));
        const int ownRank = fit.minimumNormSolve(a.data(), q, p, q, b.data(), own.data());

        alglib::real_2d_array la;
        la.setcontent(p, q, a.data());
        alglib::real_1d_array lb;
        lb.setcontent(p, b.data());
        alglib::ae_int_t info = 0;
        alglib::densesolverlsreport report;
        alglib::real_1d_array lx;
        alglib::rmatrixsolvels(la, p, q, lb, 5e-12, info, report, lx);
        QCOMPARE(int(info), 1);
        if (ownRank < 0) {
            ++deferred;
            continue;
        }
        ++compared;
        QVERIFY2(ownRank == q - int(report.k),
                 qPrintable(QString("trial %1: rank %2, library %3").arg(trial).arg(ownRank).arg(q - report.k)));
        double kept = 0.0;
        const double bound = roundingBound(a.data(), q, p, q, b.data(), lx.getcontent(), kept);
        const double difference = relativeDifference(own.data(), lx.getcontent(), q);
        QVERIFY2(difference <= std::max(1e-13, 1000.0 * bound),
                 qPrintable(
                     QString("trial %1: difference %2, rounding allows %3").arg(trial).arg(difference).arg(bound)));
        if (kept >= 1e-4)
            QVERIFY2(difference < 1e-10, qPrintable(QString("trial %1: difference %2").arg(trial).arg(difference)));
    }
    QVERIFY2(deferred < 40, qPrintable(QString::number(deferred)));
    QVERIFY(compared > 3900);

    // Singular values on both sides of the cut (5e-12 times the largest, 5)
    // and right at it.
    for (double sigma : {1e-10, 5.1e-11, 4.9e-11, 2.6e-11, 2.5e-11, 1.3e-11, 1.2e-11, 1e-13, 0.0}) {
        const int n = 5;
        std::vector<double> a(std::size_t(n * n), 0.0);
        for (int i = 0; i < n; ++i)
            a[std::size_t(i * n + i)] = i == 3 ? sigma : 1.0 + i;
        const std::vector<double> b = {1.0, 1.0, 1.0, 1.0, 1.0};
        IdwNodalFit fit(n, n);
        std::vector<double> own(static_cast<std::size_t>(n));
        const int ownRank = fit.minimumNormSolve(a.data(), n, n, n, b.data(), own.data());
        const double cut = 5e-12 * 5.0;
        if (sigma > cut / 2.0 && sigma < cut * 2.0) {
            QCOMPARE(ownRank, -1);
            continue;
        }
        QCOMPARE(ownRank, sigma > cut ? 5 : 4);
        QCOMPARE(own[3], sigma > cut ? 1.0 / sigma : 0.0);
        QCOMPARE(own[4], 0.2);
    }
}

// The library takes the same decisions, and its coefficients agree as far
// as the conditioning of each fit allows.
void IdwNodalFitTest::fitsMatchTheLibrary()
{
    Generator random(421);
    int counts[4] = {0, 0, 0, 0};
    int wellDetermined[2] = {0, 0};
    for (int trial = 0; trial < 8000; ++trial) {
        const int nx = trial % 2 ? 3 : 2;
        const int m = IdwModel::coefficientCount(nx);
        const int k = trial % 10 == 0 ? random.integer(1, m - 1) : random.integer(m, nx == 3 ? 16 : 10);
        const Layout layout = Layout(trial / 2 % int(Layout::Count));
        std::vector<double> distances;
        const std::vector<double> offsets = random.offsets(layout, nx, k, distances);
        // Quadratic data with noise.
        std::vector<double> targets;
        for (int j = 0; j < k; ++j) {
            const double* e = &offsets[std::size_t(j * nx)];
            double t = random.uniform(-1, 1);
            for (int a = 0; a < nx; ++a)
                t += (a + 1) * e[a] + 0.5 * e[a] * e[a];
            targets.push_back(t);
        }

        IdwNodalFit own(m, 16);
        IdwNodalFit library(m, 16, IdwNodalFit::Solver::Library);
        fillSystem(own, nx, offsets, distances, targets);
        fillSystem(library, nx, offsets, distances, targets);
        const std::vector<double> system(own.row(0), own.row(k));
        std::vector<double> g(static_cast<std::size_t>(m));
        std::vector<double> expected(static_cast<std::size_t>(m));
        const IdwNodalFit::Outcome ownOutcome = own.solve(k, g.data());
        const IdwNodalFit::Outcome libraryOutcome = library.solve(k, expected.data());
        QVERIFY2(ownOutcome == libraryOutcome,
                 qPrintable(QString("trial %1 (layout %2, k %3): %4, library %5")
                                .arg(trial)
                                .arg(int(layout))
                                .arg(k)
                                .arg(outcomeText(ownOutcome), outcomeText(libraryOutcome))));
        ++counts[int(ownOutcome.branch)];
        std::vector<double> t(static_cast<std::size_t>(k));
        for (int j = 0; j < k; ++j)
            t[std::size_t(j)] = system[std::size_t(j * (m + 1) + m)];
        double kept = 0.0;
        const double bound = roundingBound(system.data(), m + 1, k, m, t.data(), expected.data(), kept);
        // Where the fit itself is ill-conditioned, both results are only as
        // good as rounding allows; neither is the more accurate.
        const double difference = relativeDifference(g.data(), expected.data(), m);
        QVERIFY2(difference <= 100.0 * bound,
                 qPrintable(QString("trial %1 (layout %2): difference %3, rounding allows %4, smallest kept singular "
                                    "value %5")
                                .arg(trial)
                                .arg(int(layout))
                                .arg(difference)
                                .arg(bound)
                                .arg(kept)));
        ++wellDetermined[bound <= 1e-13 ? 1 : 0];
    }
    QVERIFY(counts[int(IdwNodalFit::Branch::Triangular)] > 1000);
    QVERIFY(counts[int(IdwNodalFit::Branch::MinimumNorm)] > 1000);
    QVERIFY(counts[int(IdwNodalFit::Branch::Underdetermined)] > 400);
    QVERIFY(wellDetermined[0] > 100 && wellDetermined[1] > 1000);
}

void IdwNodalFitTest::modelsMatchTheLibrary()
{
    struct Case
    {
        const char* name;
        int nx;
        std::vector<double> rows;
    };
    std::vector<Case> cases;
    QRandomGenerator random(431);
    auto uniform = [&random](double a, double b) { return a + (b - a) * random.generateDouble(); };
    for (int nx : {2, 3}) {
        Case scattered{nx == 2 ? "scattered 2-D" : "scattered 3-D", nx, {}};
        for (int i = 0; i < 700; ++i) {
            double p[3] = {uniform(0, 50), uniform(0, 50), uniform(90, 100)};
            scattered.rows.insert(scattered.rows.end(), p, p + nx);
            scattered.rows.push_back(std::sin(p[0] / 9.0) * std::cos(p[1] / 7.0) + 0.01 * p[nx - 1]
                                     + uniform(-0.1, 0.1));
        }
        cases.push_back(scattered);
    }
    // Records 1 m apart on lines 10 m apart, exactly placed and with
    // positioning noise: columns of samples in 3-D, lines in 2-D.
    for (double noise : {0.0, 0.1}) {
        Case surface{noise == 0.0 ? "survey lines 2-D" : "noisy survey lines 2-D", 2, {}};
        Case samples{noise == 0.0 ? "survey columns 3-D" : "noisy survey columns 3-D", 3, {}};
        for (int r = 0; r < 600; ++r) {
            const double x = r % 40 + noise * uniform(-1, 1);
            const double y = 10.0 * (r / 40) + noise * uniform(-1, 1);
            const double top = 100.0 + 0.3 * std::sin(x / 15.0) + 0.01 * uniform(-1, 1);
            surface.rows.insert(surface.rows.end(), {x, y, top});
            for (int d = 0; d < 5; ++d) {
                const double z = top - 0.5 * (d + 1);
                const double v = 50.0 + 20.0 * std::sin(x / 10.0 + z / 5.0) * std::cos(y / 30.0);
                samples.rows.insert(samples.rows.end(), {x, y, z, v});
            }
        }
        cases.push_back(surface);
        cases.push_back(samples);
    }
    Case lattice{"lattice 3-D", 3, {}};
    for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 8; ++j)
            for (int l = 0; l < 8; ++l)
                lattice.rows.insert(lattice.rows.end(), {double(i), double(j), double(l), std::cos(i + 0.5 * j) + l});
    cases.push_back(lattice);

    for (const Case& c : cases) {
        const int nx = c.nx;
        const int m = IdwModel::coefficientCount(nx);
        const qint64 n = qint64(c.rows.size()) / (nx + 1);
        IdwModel own;
        IdwModel library;
        std::vector<IdwNodalFit::Outcome> ownOutcomes;
        std::vector<IdwNodalFit::Outcome> libraryOutcomes;
        QVERIFY(own.build(c.rows.data(), n, nx, 1, 1, IdwModel::CancelFunction(), 0,
                          {IdwNodalFit::Solver::Own, &ownOutcomes}));
        QVERIFY(library.build(c.rows.data(), n, nx, 1, 1, IdwModel::CancelFunction(), 0,
                              {IdwNodalFit::Solver::Library, &libraryOutcomes}));

        // The nodes' systems again, for the conditioning of each fit.
        alglib::real_2d_array xy;
        xy.setcontent(n, nx + 1, c.rows.data());
        alglib::integer_1d_array tags;
        tags.setlength(n);
        for (qint64 i = 0; i < n; ++i)
            tags[i] = i;
        alglib::kdtree tree;
        alglib::kdtreebuildtagged(xy, tags, n, nx, 1, 2, tree);
        int nq = 1;
        int nw = 1;
        IdwModel::correctParameters(n, nx, nq, nw);

        // Every fit agrees with the library's as far as its conditioning
        // allows; the branch and the rank kept are the library's.
        double largestBound = 0.0;
        for (qint64 i = 0; i < n; ++i) {
            const IdwNodalFit::Outcome& o = ownOutcomes[std::size_t(i)];
            const QString node = QString("%1, node %2").arg(c.name).arg(i);
            if (o != libraryOutcomes[std::size_t(i)])
                QFAIL(qPrintable(node + ": " + outcomeText(o) + ", library "
                                 + outcomeText(libraryOutcomes[std::size_t(i)])));
            if (o.branch == IdwNodalFit::Branch::None)
                continue;
            const double* p = &c.rows[std::size_t(i * (nx + 1))];
            alglib::real_1d_array point;
            point.setcontent(nx, p);
            const int k = int(alglib::kdtreequeryknn(tree, point, nq, false));
            alglib::real_2d_array found;
            alglib::real_1d_array distances;
            alglib::kdtreequeryresultsxy(tree, found);
            alglib::kdtreequeryresultsdistances(tree, distances);
            std::vector<double> offsets;
            std::vector<double> d;
            std::vector<double> targets;
            for (int j = 0; j < k; ++j) {
                for (int u = 0; u < nx; ++u)
                    offsets.push_back(found[j][u] - p[u]);
                d.push_back(distances[j]);
                targets.push_back(found[j][nx] - p[nx]);
            }
            IdwNodalFit fit(m, nq);
            fillSystem(fit, nx, offsets, d, targets);
            std::vector<double> t;
            for (int j = 0; j < k; ++j)
                t.push_back(fit.row(j)[m]);
            double kept = 0.0;
            const double bound = roundingBound(fit.row(0), m + 1, k, m, t.data(), library.coefficients(i), kept);
            largestBound = std::max(largestBound, bound);
            const double difference = relativeDifference(own.coefficients(i), library.coefficients(i), m);
            if (!(difference <= 100.0 * bound))
                QFAIL(qPrintable(node + QString(": difference %1, rounding allows %2").arg(difference).arg(bound)));
        }

        double lowest = c.rows[std::size_t(nx)];
        double highest = lowest;
        for (qint64 i = 0; i < n; ++i) {
            lowest = std::min(lowest, c.rows[std::size_t(i * (nx + 1) + nx)]);
            highest = std::max(highest, c.rows[std::size_t(i * (nx + 1) + nx)]);
        }
        IdwModel::Scratch ownScratch;
        IdwModel::Scratch libraryScratch;
        double worst = 0.0;
        for (int q = 0; q < 3000; ++q) {
            const qint64 i = qint64(random.bounded(quint32(n)));
            double x[3];
            for (int u = 0; u < nx; ++u)
                x[u] = c.rows[std::size_t(i * (nx + 1) + u)] + uniform(-1.5, 1.5);
            const double difference
                = std::fabs(own.unboundedValue(ownScratch, x) - library.unboundedValue(libraryScratch, x));
            worst = std::max(worst, difference / (highest - lowest));
        }
        // Where every fit is well determined, so is the model.
        if (largestBound <= 1e-11)
            QVERIFY2(worst < 1e-12, qPrintable(QString("%1: values differ by %2").arg(c.name).arg(worst)));
        else
            QVERIFY2(worst < 1e-4, qPrintable(QString("%1: values differ by %2").arg(c.name).arg(worst)));
    }
}

TUNDRACK_TEST(IdwNodalFitTest)
#include "idwnodalfittest.moc"
