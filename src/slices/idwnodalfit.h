#pragma once

#include <cstdint>

#include <memory>
#include <vector>

// The weighted least-squares fit of one node's quadratic: the k x m system
// A g ~ t, handed over as the rows of the augmented matrix [A | t].
//
// For k >= m the system is reduced by Householder QR to R g ~ c. A well
// conditioned R (reciprocal condition, infinity norm, as the library
// estimates it, above 5e-12 * k) is back-substituted; otherwise, and for
// k < m, the minimum-norm least-squares solution is taken, treating singular
// values up to 5e-12 times the largest as zero.
//
// The fits are often ill-conditioned on survey data (one row of tiny weight
// may be all that separates two columns), and there the order of the
// floating-point operations decides the coefficients. The fit therefore
// rounds as the modified-Shepard fit of ALGLIB 3.8 did, not as today's
// library routines do:
// - the Householder reflectors are generated as the library generates them
//   (scaled norm of the tail, beta = -sign(alpha) hypot, tau = (beta -
//   alpha) / beta, the tail scaled by 1 / (alpha - beta));
// - each later column c, the target included, is updated as
//   s = sum of a(row, c) v(row) from the top row down, then
//   a(row, c) += (-(tau s)) v(row);
// - the back substitution's dot products are summed in blocks of four,
//   each block summed before it is added, then the rest one by one.
//
// The library's general dense routines spend far more time on argument
// checks, allocation, reports and iterative refinement than on arithmetic at
// these sizes (some 30 us for a rank-deficient 9-unknown fit, several times
// a kd-tree query), so the condition test and the minimum-norm solve have
// small routines of their own (Solver::Own) that take the same decisions as
// the library's and give its results to rounding:
// - the condition test is settled from two bounds on the library's estimate
//   (the exact condition number above, the estimator's own final step below)
//   and left to the library's estimator only when neither settles it;
// - the minimum-norm solve is a pivoted QR followed by one-sided Jacobi SVD,
//   and falls back to the library's solver whenever a singular value lies
//   near the cut, where rounding could put it on the other side.
// Where the part of a fit that is kept is itself ill-conditioned, the
// library's result and the own one are both only as accurate as that
// conditioning allows, and agree only that far.
// Solver::Library runs every step through the library's routines, its
// Householder QR included, which scales the reflector by tau before the
// update and so rounds differently. It is a reference for the branch taken,
// the rank kept and, on well-posed fits, the coefficients to rounding.
//
// An object holds the working storage of one thread.
class IdwNodalFit
{
public:
    enum class Solver { Own, Library };
    enum class Branch : std::uint8_t {
        None,            // no rows: g = 0
        Triangular,      // k >= m, well conditioned: back substitution
        MinimumNorm,     // k >= m, ill conditioned: minimum-norm solve of R g ~ c
        Underdetermined, // k < m: minimum-norm solve of A g ~ t
    };
    struct Outcome
    {
        Branch branch = Branch::None;
        // Singular values kept by a minimum-norm solve (0 if it failed);
        // m for the back substitution.
        int rank = 0;
        bool operator==(const Outcome& other) const { return branch == other.branch && rank == other.rank; }
        bool operator!=(const Outcome& other) const { return !(*this == other); }
    };

    // m unknowns, up to maxRows rows.
    IdwNodalFit(int m, int maxRows, Solver solver = Solver::Own);
    ~IdwNodalFit();
    IdwNodalFit(const IdwNodalFit&) = delete;
    IdwNodalFit& operator=(const IdwNodalFit&) = delete;

    int unknowns() const { return m_m; }
    // Row j of [A | t]: m + 1 values for the caller to fill.
    double* row(int j) { return m_a.data() + std::size_t(j) * std::size_t(m_m + 1); }
    // Solves the first k rows into g (m values). The rows are overwritten.
    Outcome solve(int k, double* g);

    // The steps of solve(), open for their checks against the library.

    // Householder QR, in the rounding order above, of the rows x columns
    // row-major matrix a, with reflectors for its first `reflectors`
    // columns: R is left on and above the diagonal, the reflectors' tails
    // below it. work holds rows values.
    static void householderQr(double* a, int rows, int columns, int reflectors, double* work);

    enum class Settled { Above, Below, Open };
    // Whether the library's estimate of the reciprocal condition number of
    // the n x n upper triangle of r (row stride ld) lies above threshold,
    // when that follows without the estimate. work holds n * n values.
    static Settled settleConditionTest(const double* r, int ld, int n, double threshold, double* work);
    // The largest value the library's estimate can take: it is at most the
    // result of its final step, which this repeats. False when that step
    // fails, and the library then reports 0.
    static bool conditionEstimateBound(const double* r, int ld, int n, double* work, double& bound);
    // 1 / (|r|inf |r^-1|inf) computed from the explicit inverse; 0 when
    // that is not finite.
    static double reciprocalCondition(const double* r, int ld, int n, double* work);

    // Minimum-norm least-squares solution x (q values) of the p x q
    // row-major system a (row stride ld) x ~ b, treating singular values up
    // to 5e-12 times the largest as zero; p <= max(maxRows, m), q <= m. Returns the number of singular
    // values kept, or -1 when one lies too near the cut to decide it
    // without the library's SVD (x is then undefined).
    int minimumNormSolve(const double* a, int ld, int p, int q, const double* b, double* x);

private:
    struct LibraryArrays;

    int librarySolve(const double* a, int ld, int p, int q, const double* b, double* x);
    double libraryConditionEstimate(const double* r, int ld, int n);
    Outcome solveWithLibrary(int k, double* g);
    void backSubstitute(const double* r, int ld, const double* c, int cstride, double* g) const;
    bool jacobi(int rows, int length);

    const int m_m;
    const int m_maxRows;
    const Solver m_solver;
    std::vector<double> m_a;    // [A | t], row-major, row stride m + 1
    std::vector<double> m_work; // for the QR and the condition test
    std::vector<double> m_r;    // R with zeros below the diagonal, row stride m
    std::vector<double> m_c;
    // The minimum-norm solve.
    std::vector<double> m_w;
    std::vector<double> m_d;
    std::vector<double> m_v;
    std::vector<double> m_norms;
    std::vector<double> m_z;
    std::vector<int> m_permutation;
    std::unique_ptr<LibraryArrays> m_library;
};
