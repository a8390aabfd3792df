#pragma once

#include "slices/idwnodalfit.h"

#include <alglibmisc.h>

#include <QtGlobal>

#include <functional>
#include <memory>
#include <vector>

// Modified-Shepard inverse-distance model with quadratic nodal functions:
// every node carries a quadratic fitted by weighted least squares to its nq
// nearest neighbours, and a value is the weighted mean of the nodal
// functions of the nw nodes nearest to the point.
//
// On survey lines the nodal functions are fitted on neighbourhoods about a
// metre wide and extrapolated metres across to the next line, where the
// weighted mean can lie far outside the data (negative resistivities from
// positive ones). value() therefore clamps it into the range of the data
// values of those nw nodes: it keeps the weighted mean wherever that lies
// within them, is still exact at the nodes, and never gives a value that no
// nearby measurement supports. unboundedValue() is the weighted mean itself.
//
// A built model is read-only. Evaluation keeps its working state in a
// Scratch owned by the caller, so any number of threads may evaluate one
// model at once, each with its own Scratch.
class IdwModel
{
public:
    using CancelFunction = std::function<bool()>;

    // Per-caller working state of an evaluation. It binds itself to the
    // model it is used with and rebinds when used with another one.
    class Scratch
    {
    public:
        Scratch() = default;
        Scratch(const Scratch&) = delete;
        Scratch& operator=(const Scratch&) = delete;

    private:
        friend class IdwModel;
        quint64 m_serial = 0;
        alglib::kdtreerequestbuffer m_buffer;
        alglib::real_1d_array m_point;
        alglib::real_1d_array m_distances;
        alglib::integer_1d_array m_tags;
    };

    IdwModel();
    ~IdwModel();
    IdwModel(IdwModel&& other) noexcept;
    IdwModel& operator=(IdwModel&& other) noexcept;
    IdwModel(const IdwModel&) = delete;
    IdwModel& operator=(const IdwModel&) = delete;
    void swap(IdwModel& other) noexcept;

    // The neighbour counts actually used for n points in nx dimensions:
    // raised to what a quadratic fit needs, then capped at n.
    static void correctParameters(qint64 n, int nx, int& nq, int& nw);
    // Number of coefficients of a nodal function (linear and quadratic terms).
    static int coefficientCount(int nx) { return nx + nx * (nx + 1) / 2; }

    // Builds from n rows of nx coordinates followed by the value (row-major).
    // Throws alglib::ap_error for n < 1, nx outside 1..8 or a non-finite
    // entry. Returns false, leaving the model as it was, when cancelled() said
    // so at one of the nodes. threads < 1 uses every core; the result does
    // not depend on the thread count.
    bool build(const double* rows, qint64 n, int nx, int nq = 1, int nw = 1,
               const CancelFunction& cancelled = CancelFunction(), int threads = 0);

    // What only the checks of the fit's own routines change: the solver of
    // the nodal fits, and where to record how each node was fitted (resized
    // to n; complete when build() returns true).
    struct FitOptions
    {
        IdwNodalFit::Solver solver = IdwNodalFit::Solver::Own;
        std::vector<IdwNodalFit::Outcome>* outcomes = nullptr;
    };
    bool build(const double* rows, qint64 n, int nx, int nq, int nw, const CancelFunction& cancelled, int threads,
               const FitOptions& options);
    void clear();

    bool isEmpty() const { return m_count == 0; }
    qint64 count() const { return m_count; }
    int dimensions() const { return m_nx; }
    int nq() const { return m_nq; }
    int nw() const { return m_nw; }
    // The coefficients of node i's nodal function, in design-row order.
    const double* coefficients(qint64 node) const;

    // The model's value at x (dimensions() coordinates), clamped into the
    // range of the values of the nw nodes it is computed from. NaN for an
    // empty model or a non-finite coordinate.
    double value(Scratch& scratch, const double* x) const;
    double value(Scratch& scratch, double x, double y) const;
    double value(Scratch& scratch, double x, double y, double z) const;
    // The weighted mean of the nodal functions, not clamped.
    double unboundedValue(Scratch& scratch, const double* x) const;

    // The weight of a neighbour at distance d when the nearest lies at d0
    // and the farthest at r: 1 at d0, falling to 0 at r.
    static double shepardWeight(double d, double d0, double r);

private:
    struct Worker;

    double evaluate(Scratch& scratch, const double* x, bool bounded) const;

    int m_nx = 0;
    int m_nq = 0;
    int m_nw = 0;
    int m_stride = 0;
    qint64 m_count = 0;
    quint64 m_serial = 0;
    std::unique_ptr<alglib::kdtree> m_tree;
    // Per node: coordinates, value, coefficients.
    std::unique_ptr<double[]> m_nodes;
};
