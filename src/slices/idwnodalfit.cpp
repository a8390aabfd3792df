#include "slices/idwnodalfit.h"

#include <linalg.h>
#include <solvers.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

// This file is compiled with -ffp-contract=off: the QR, the back
// substitution and the condition bound must round exactly in the order
// written here.

namespace {

// The library's own constants: its machine epsilon, on which the fit's
// thresholds are defined, and its representable range.
constexpr double machineEpsilon = 5e-16;
constexpr double maxRealNumber = 1e300;
constexpr double minRealNumber = 1e-300;
// Singular values up to this fraction of the largest one count as zero.
constexpr double pseudoInverseThreshold = 1e4 * machineEpsilon;
// The own minimum-norm solve leaves the decision to the library's SVD when
// a singular value lies within this factor of the cut.
constexpr double cutMargin = 2.0;
// A trailing block of the pivoted QR this small (relative to the whole
// matrix, Frobenius norm) is dropped: it moves no singular value by more
// than rounding does.
constexpr double negligibleBlock = 16.0 * DBL_EPSILON;
constexpr int maximumSweeps = 30;

// The library's Householder reflector of x[0..n-1] (its generatereflection,
// operation for operation): x becomes (beta, v[1..n-1]); returns tau.
double generateReflection(double* x, int n)
{
    if (n <= 1)
        return 0.0;
    double mx = 0.0;
    for (int j = 0; j < n; ++j)
        mx = std::max(std::fabs(x[j]), mx);
    double s = 1.0;
    if (mx != 0.0) {
        if (mx <= minRealNumber / machineEpsilon) {
            s = minRealNumber / machineEpsilon;
            const double v = 1 / s;
            for (int j = 0; j < n; ++j)
                x[j] *= v;
            mx = mx * v;
        } else if (mx >= maxRealNumber * machineEpsilon) {
            s = maxRealNumber * machineEpsilon;
            const double v = 1 / s;
            for (int j = 0; j < n; ++j)
                x[j] *= v;
            mx = mx * v;
        }
    }
    const double alpha = x[0];
    double xnorm = 0.0;
    if (mx != 0.0) {
        for (int j = 1; j < n; ++j) {
            const double t = x[j] / mx;
            xnorm = xnorm + t * t;
        }
        xnorm = std::sqrt(xnorm) * mx;
    }
    if (xnorm == 0.0) {
        x[0] = x[0] * s;
        return 0.0;
    }
    mx = std::max(std::fabs(alpha), std::fabs(xnorm));
    const double a = alpha / mx;
    const double b = xnorm / mx;
    double beta = -mx * std::sqrt(a * a + b * b);
    if (alpha < 0.0)
        beta = -beta;
    const double tau = (beta - alpha) / beta;
    const double v = 1 / (alpha - beta);
    for (int j = 1; j < n; ++j)
        x[j] *= v;
    x[0] = beta * s;
    return tau;
}

} // namespace

struct IdwNodalFit::LibraryArrays
{
    alglib::real_2d_array a;
    alglib::real_2d_array r;
    alglib::real_1d_array tau;
    alglib::real_1d_array b;
    alglib::real_1d_array x;
    alglib::densesolverlsreport report;
};

IdwNodalFit::IdwNodalFit(int m, int maxRows, Solver solver) : m_m(m), m_maxRows(std::max(maxRows, 1)), m_solver(solver)
{
    const std::size_t rows = std::size_t(std::max(m_maxRows, m));
    const std::size_t mm = std::size_t(m) * std::size_t(m);
    m_a.resize(rows * std::size_t(m + 1));
    m_work.resize(std::max(rows + std::size_t(m + 1), mm));
    m_r.resize(mm);
    m_c.resize(rows);
    m_w.resize(rows * std::size_t(m));
    m_d.resize(rows);
    m_v.resize(mm);
    m_norms.resize(std::size_t(m));
    m_z.resize(std::size_t(m));
    m_permutation.resize(std::size_t(m));
}

IdwNodalFit::~IdwNodalFit() = default;

IdwNodalFit::Outcome IdwNodalFit::solve(int k, double* g)
{
    const int m = m_m;
    if (k <= 0) {
        std::fill(g, g + m, 0.0);
        return Outcome();
    }
    if (m_solver == Solver::Library)
        return solveWithLibrary(k, g);

    const int columns = m + 1;
    Outcome outcome;
    if (k >= m) {
        // R and c stay in place in m_a.
        householderQr(m_a.data(), k, columns, m, m_work.data());
        const double threshold = 1e4 * double(k) * machineEpsilon;
        const Settled settled = settleConditionTest(m_a.data(), columns, m, threshold, m_work.data());
        if (settled == Settled::Above
            || (settled == Settled::Open && libraryConditionEstimate(m_a.data(), columns, m) > threshold)) {
            backSubstitute(m_a.data(), columns, m_a.data() + m, columns, g);
            outcome.branch = Branch::Triangular;
            outcome.rank = m;
            return outcome;
        }
        for (int u = 0; u < m; ++u) {
            const double* source = m_a.data() + u * columns;
            double* target = m_r.data() + u * m;
            for (int v = 0; v < m; ++v)
                target[v] = v < u ? 0.0 : source[v];
            m_c[std::size_t(u)] = source[m];
        }
        outcome.branch = Branch::MinimumNorm;
        outcome.rank = minimumNormSolve(m_r.data(), m, m, m, m_c.data(), g);
        if (outcome.rank < 0)
            outcome.rank = librarySolve(m_r.data(), m, m, m, m_c.data(), g);
        return outcome;
    }
    for (int j = 0; j < k; ++j)
        m_c[std::size_t(j)] = m_a[std::size_t(j * columns + m)];
    outcome.branch = Branch::Underdetermined;
    outcome.rank = minimumNormSolve(m_a.data(), columns, k, m, m_c.data(), g);
    if (outcome.rank < 0)
        outcome.rank = librarySolve(m_a.data(), columns, k, m, m_c.data(), g);
    return outcome;
}

IdwNodalFit::Outcome IdwNodalFit::solveWithLibrary(int k, double* g)
{
    const int m = m_m;
    const int columns = m + 1;
    if (!m_library)
        m_library.reset(new LibraryArrays);
    LibraryArrays& lib = *m_library;
    Outcome outcome;
    if (k >= m) {
        lib.a.setlength(k, columns);
        for (int j = 0; j < k; ++j)
            std::copy(row(j), row(j) + columns, lib.a[j]);
        alglib::rmatrixqr(lib.a, k, columns, lib.tau);
        lib.r.setlength(m, m);
        for (int u = 0; u < m; ++u) {
            for (int v = 0; v < m; ++v) {
                lib.r[u][v] = v < u ? 0.0 : lib.a[u][v];
                m_r[std::size_t(u * m + v)] = lib.r[u][v];
            }
            m_c[std::size_t(u)] = lib.a[u][m];
        }
        const double threshold = 1e4 * double(k) * machineEpsilon;
        if (alglib::rmatrixtrrcondinf(lib.r, m, true, false) > threshold) {
            backSubstitute(m_r.data(), m, m_c.data(), 1, g);
            outcome.branch = Branch::Triangular;
            outcome.rank = m;
            return outcome;
        }
        outcome.branch = Branch::MinimumNorm;
        outcome.rank = librarySolve(m_r.data(), m, m, m, m_c.data(), g);
        return outcome;
    }
    for (int j = 0; j < k; ++j)
        m_c[std::size_t(j)] = row(j)[m];
    outcome.branch = Branch::Underdetermined;
    outcome.rank = librarySolve(m_a.data(), columns, k, m, m_c.data(), g);
    return outcome;
}

void IdwNodalFit::backSubstitute(const double* r, int ld, const double* c, int cstride, double* g) const
{
    for (int u = m_m - 1; u >= 0; --u) {
        const double* row = r + u * ld;
        // The dot product in blocks of four, each block summed before it is
        // added, then the rest one by one.
        const int n = m_m - u - 1;
        const double* a = row + u + 1;
        const double* b = g + u + 1;
        double s = 0.0;
        int v = 0;
        for (; v + 4 <= n; v += 4)
            s += a[v] * b[v] + a[v + 1] * b[v + 1] + a[v + 2] * b[v + 2] + a[v + 3] * b[v + 3];
        for (; v < n; ++v)
            s += a[v] * b[v];
        g[u] = (c[u * cstride] - s) / row[u];
    }
}

int IdwNodalFit::librarySolve(const double* a, int ld, int p, int q, const double* b, double* x)
{
    if (!m_library)
        m_library.reset(new LibraryArrays);
    LibraryArrays& lib = *m_library;
    lib.a.setlength(p, q);
    lib.b.setlength(p);
    for (int r = 0; r < p; ++r) {
        std::copy(a + r * ld, a + r * ld + q, lib.a[r]);
        lib.b[r] = b[r];
    }
    alglib::ae_int_t info = 0;
    alglib::rmatrixsolvels(lib.a, p, q, lib.b, pseudoInverseThreshold, info, lib.report, lib.x);
    if (info <= 0) {
        std::fill(x, x + q, 0.0);
        return 0;
    }
    std::copy(lib.x.getcontent(), lib.x.getcontent() + q, x);
    return int(q - lib.report.k);
}

double IdwNodalFit::libraryConditionEstimate(const double* r, int ld, int n)
{
    if (!m_library)
        m_library.reset(new LibraryArrays);
    LibraryArrays& lib = *m_library;
    lib.r.setlength(n, n);
    for (int u = 0; u < n; ++u)
        for (int v = 0; v < n; ++v)
            lib.r[u][v] = v < u ? 0.0 : r[u * ld + v];
    return alglib::rmatrixtrrcondinf(lib.r, n, true, false);
}

void IdwNodalFit::householderQr(double* a, int rows, int columns, int reflectors, double* work)
{
    double* v = work;
    const int steps = std::min(std::min(reflectors, rows), columns);
    for (int i = 0; i < steps; ++i) {
        const int length = rows - i;
        for (int r = 0; r < length; ++r)
            v[r] = a[(i + r) * columns + i];
        const double tau = generateReflection(v, length);
        for (int r = 0; r < length; ++r)
            a[(i + r) * columns + i] = v[r];
        if (tau == 0.0)
            continue;
        // Column by column: s = v' a_c top to bottom, then a_c += (-(tau s)) v.
        // Scaling v by tau first, as later versions of the library do, rounds
        // differently, and an ill-conditioned fit shows it.
        v[0] = 1.0;
        for (int c = i + 1; c < columns; ++c) {
            double* column = a + i * columns + c;
            double s = 0.0;
            for (int r = 0; r < length; ++r)
                s += column[r * columns] * v[r];
            const double t = -(tau * s);
            for (int r = 0; r < length; ++r)
                column[r * columns] += t * v[r];
        }
    }
}

IdwNodalFit::Settled IdwNodalFit::settleConditionTest(const double* r, int ld, int n, double threshold, double* work)
{
    if (n < 2)
        return Settled::Open;
    double bound = 0.0;
    if (!conditionEstimateBound(r, ld, n, work, bound) || bound <= threshold)
        return Settled::Below;
    // The estimate of |r^-1| never exceeds the true norm, so the estimated
    // reciprocal condition number is at least the true one; the margin
    // covers rounding in both.
    if (reciprocalCondition(r, ld, n, work) > 4.0 * threshold)
        return Settled::Above;
    return Settled::Open;
}

// The library's estimator (Hager's method) ends by solving with a fixed
// vector of alternating signs and keeps the larger of that result and its
// earlier estimate of |r^-1|. The reciprocal condition number it reports is
// therefore at most the one this step alone gives. The step is repeated
// here with the library's scaling, safeguards and order of operations.
bool IdwNodalFit::conditionEstimateBound(const double* r, int ld, int n, double* work, double& bound)
{
    double largest = 0.0;
    for (int i = 0; i < n; ++i)
        for (int j = i; j < n; ++j)
            largest = std::max(largest, std::fabs(r[i * ld + j]));
    if (largest == 0.0)
        return false;
    const double sa = 1.0 / largest;
    double anorm = 0.0;
    for (int i = 0; i < n; ++i) {
        double s = 0.0;
        for (int j = i + 1; j < n; ++j)
            s = s + std::fabs(r[i * ld + j]);
        s = s + std::fabs(r[i * ld + i]);
        anorm = std::max(anorm, s);
    }
    anorm = anorm * sa;

    double* x = work;
    double sign = 1.0;
    double bnorm = 0.0;
    for (int i = 0; i < n; ++i) {
        x[i] = (double(i) / double(n - 1) + 1.0) * sign;
        sign = -sign;
        bnorm = std::max(bnorm, std::fabs(x[i]));
    }
    static const double logMax = std::log(maxRealNumber);
    static const double maxGrowth = 1.0 / std::sqrt(std::sqrt(minRealNumber));
    double xnorm = 0.0;
    // Solve (sa r)' x = b, forward, updating the right part column-wise.
    for (int i = 0; i < n; ++i) {
        const double* row = r + i * ld;
        const double alpha = row[i] * sa;
        const double beta = x[i];
        if (alpha == 0.0)
            return false;
        double xi = 0.0;
        if (beta != 0.0) {
            // The library's overflow test by logarithms; the comparison
            // spares the logarithms where the ratio is far from overflow.
            if (!(std::fabs(beta) < std::fabs(alpha) * 1e299)
                && std::log(std::fabs(beta)) - std::log(std::fabs(alpha)) > logMax)
                return false;
            xi = beta / alpha;
        }
        if (std::isnan(xi)) {
            bound = std::numeric_limits<double>::infinity();
            return true;
        }
        xnorm = std::max(xnorm, std::fabs(xi));
        if (xnorm > maxGrowth * bnorm)
            return false;
        x[i] = xi;
        for (int j = i + 1; j < n; ++j)
            x[j] = x[j] - xi * (row[j] * sa);
    }
    double temp = 0.0;
    for (int i = 0; i < n; ++i)
        temp = temp + std::fabs(x[i]);
    temp = temp + temp;
    temp = temp / double(3 * n);
    bound = 1.0 / temp / anorm;
    return true;
}

double IdwNodalFit::reciprocalCondition(const double* r, int ld, int n, double* work)
{
    double normR = 0.0;
    for (int u = 0; u < n; ++u) {
        const double* row = r + u * ld;
        if (row[u] == 0.0)
            return 0.0;
        double s = 0.0;
        for (int v = u; v < n; ++v)
            s += std::fabs(row[v]);
        normR = std::max(normR, s);
    }
    // The upper triangular inverse, column by column, bottom up.
    double* x = work;
    for (int col = n - 1; col >= 0; --col) {
        for (int u = n - 1; u > col; --u)
            x[u * n + col] = 0.0;
        for (int u = col; u >= 0; --u) {
            const double* row = r + u * ld;
            double s = u == col ? 1.0 : 0.0;
            for (int v = u + 1; v <= col; ++v)
                s -= row[v] * x[v * n + col];
            x[u * n + col] = s / row[u];
        }
    }
    double normInverse = 0.0;
    for (int u = 0; u < n; ++u) {
        double s = 0.0;
        for (int v = u; v < n; ++v)
            s += std::fabs(x[u * n + v]);
        normInverse = std::max(normInverse, s);
    }
    const double result = 1.0 / (normR * normInverse);
    return std::isfinite(result) ? result : 0.0;
}

int IdwNodalFit::minimumNormSolve(const double* a, int ld, int p, int q, const double* b, double* x)
{
    std::fill(x, x + q, 0.0);
    // Columns that are exactly zero (survey fits have them) take no part:
    // their unknowns are 0 in the minimum-norm solution.
    int* permutation = m_permutation.data(); // the columns worked on, by original index
    int width = 0;
    double largest = 0.0;
    for (int c = 0; c < q; ++c) {
        double column = 0.0;
        for (int r = 0; r < p; ++r)
            column = std::max(column, std::fabs(a[r * ld + c]));
        if (column != 0.0)
            permutation[width++] = c;
        largest = std::max(largest, column);
    }
    if (width == 0)
        return 0;
    // A power of two keeps the scaling exact; the solution is unchanged as
    // both sides are scaled.
    int exponent = 0;
    std::frexp(largest, &exponent);
    const double scale = std::ldexp(1.0, -std::clamp(exponent, -1000, 1000));

    const int n = width;
    double* w = m_w.data(); // p x n, row stride n
    double* d = m_d.data();
    double total = 0.0;
    for (int r = 0; r < p; ++r) {
        for (int c = 0; c < n; ++c) {
            const double value = a[r * ld + permutation[c]] * scale;
            w[r * n + c] = value;
            total += value * value;
        }
        d[r] = b[r] * scale;
    }

    // Householder QR with column pivoting, stopped once the rest is
    // negligible: the leading rows keep every singular value that matters.
    const double negligible = negligibleBlock * negligibleBlock * total;
    double* norms = m_norms.data();
    const int steps = std::min(p, n);
    int rows = steps;
    for (int i = 0; i < steps; ++i) {
        double trailing = 0.0;
        int pivot = i;
        for (int c = i; c < n; ++c) {
            double s = 0.0;
            for (int r = i; r < p; ++r)
                s += w[r * n + c] * w[r * n + c];
            norms[c] = s;
            trailing += s;
            if (s > norms[pivot])
                pivot = c;
        }
        if (trailing <= negligible) {
            rows = i;
            break;
        }
        if (pivot != i) {
            for (int r = 0; r < p; ++r)
                std::swap(w[r * n + i], w[r * n + pivot]);
            std::swap(permutation[i], permutation[pivot]);
        }
        const double alpha = w[i * n + i];
        double below = 0.0;
        for (int r = i + 1; r < p; ++r)
            below += w[r * n + i] * w[r * n + i];
        if (below == 0.0)
            continue;
        const double beta = -std::copysign(std::sqrt(alpha * alpha + below), alpha);
        const double tau = (beta - alpha) / beta;
        const double f = 1.0 / (alpha - beta);
        double* v = m_work.data(); // the reflector, rows i..p-1
        for (int r = i + 1; r < p; ++r) {
            v[r - i] = w[r * n + i] * f;
            w[r * n + i] = 0.0;
        }
        v[0] = 1.0;
        w[i * n + i] = beta;
        for (int c = i + 1; c < n; ++c) {
            double s = 0.0;
            for (int r = i; r < p; ++r)
                s += v[r - i] * w[r * n + c];
            s *= tau;
            for (int r = i; r < p; ++r)
                w[r * n + c] -= s * v[r - i];
        }
        double s = 0.0;
        for (int r = i; r < p; ++r)
            s += v[r - i] * d[r];
        s *= tau;
        for (int r = i; r < p; ++r)
            d[r] -= s * v[r - i];
    }
    if (rows == 0)
        return 0;

    // The leading rows are R1 (rows x n). One-sided Jacobi makes them
    // orthogonal: R1 = V S U', and R1+ d = sum over kept i of
    // u_i (v_i . d) / s_i.
    if (!jacobi(rows, n))
        return -1;
    double largestSquare = 0.0;
    for (int i = 0; i < rows; ++i) {
        const double* wi = w + i * n;
        double s = 0.0;
        for (int c = 0; c < n; ++c)
            s += wi[c] * wi[c];
        norms[i] = s;
        largestSquare = std::max(largestSquare, s);
    }
    const double cut = pseudoInverseThreshold * std::sqrt(largestSquare);
    for (int i = 0; i < rows; ++i) {
        const double sigma = std::sqrt(norms[i]);
        if (sigma > cut / cutMargin && sigma < cut * cutMargin)
            return -1;
    }
    double* z = m_z.data();
    std::fill(z, z + n, 0.0);
    const double* v = m_v.data();
    int rank = 0;
    for (int i = 0; i < rows; ++i) {
        if (std::sqrt(norms[i]) <= cut)
            continue;
        ++rank;
        double s = 0.0;
        for (int j = 0; j < rows; ++j)
            s += v[j * rows + i] * d[j];
        s /= norms[i];
        const double* wi = w + i * n;
        for (int c = 0; c < n; ++c)
            z[c] += s * wi[c];
    }
    for (int c = 0; c < n; ++c)
        x[permutation[c]] = z[c];
    return rank;
}

// Rotates rows 0..rows-1 of m_w (each of the given length) in pairs until
// they are orthogonal to working precision, accumulating the rotations in
// m_v. False if that did not happen within the sweep limit.
bool IdwNodalFit::jacobi(int rows, int length)
{
    double* w = m_w.data();
    double* v = m_v.data();
    std::fill(v, v + rows * rows, 0.0);
    for (int i = 0; i < rows; ++i)
        v[i * rows + i] = 1.0;
    const double tolerance = std::sqrt(double(length)) * DBL_EPSILON;
    for (int sweep = 0; sweep < maximumSweeps; ++sweep) {
        bool rotated = false;
        for (int i = 0; i + 1 < rows; ++i) {
            double* wi = w + i * length;
            for (int j = i + 1; j < rows; ++j) {
                double* wj = w + j * length;
                double alpha = 0.0;
                double beta = 0.0;
                double gamma = 0.0;
                for (int c = 0; c < length; ++c) {
                    alpha += wi[c] * wi[c];
                    beta += wj[c] * wj[c];
                    gamma += wi[c] * wj[c];
                }
                if (std::fabs(gamma) <= tolerance * std::sqrt(alpha * beta))
                    continue;
                rotated = true;
                const double zeta = (beta - alpha) / (2.0 * gamma);
                const double t = std::fabs(zeta) > 1e150
                    ? 0.5 / zeta
                    : std::copysign(1.0 / (std::fabs(zeta) + std::sqrt(1.0 + zeta * zeta)), zeta);
                const double cs = 1.0 / std::sqrt(1.0 + t * t);
                const double sn = cs * t;
                for (int c = 0; c < length; ++c) {
                    const double a = wi[c];
                    const double b = wj[c];
                    wi[c] = cs * a - sn * b;
                    wj[c] = sn * a + cs * b;
                }
                for (int r = 0; r < rows; ++r) {
                    const double a = v[r * rows + i];
                    const double b = v[r * rows + j];
                    v[r * rows + i] = cs * a - sn * b;
                    v[r * rows + j] = sn * a + cs * b;
                }
            }
        }
        if (!rotated)
            return true;
    }
    return false;
}
