#include "probes/legacy/legacyresponseroot.h"

#include <cmath>
#include <limits>

namespace {

constexpr double third = 0.3333333333333333;
constexpr double tolerance = 1e-12;

// The two terms of the equation over v^2: p^2 = (d x / v)^2 and
// q^2 = (e x^1.5 / v)^2, each formed from ratios.
void squaredTerms(double x, double v, double d, double e, double* p2, double* q2)
{
    const double p = std::fabs(d) * x / v;
    const double q = std::fabs(e) * x * std::sqrt(x) / v;
    *p2 = p * p;
    *q2 = q * q;
}

} // namespace

double LegacyResponseRoot::solve(double value, double d, double e)
{
    const double none = std::numeric_limits<double>::quiet_NaN();
    if (std::isnan(value) || std::isnan(d) || std::isnan(e))
        return none;
    const double v = std::fabs(value);
    if (v == 0.0)
        return 0.0;
    if (std::isinf(v))
        return none;
    if (std::isinf(d) || std::isinf(e))
        return 0.0;
    if (e == 0.0) {
        const double root = d == 0.0 ? 0.0 : std::fabs(value / d);
        return std::isinf(root) ? none : root;
    }

    const double closed = closedForm(value, d, e);
    if (std::isfinite(closed) && closed >= 0.0
        && std::fabs(relativeResidual(closed, value, d, e)) <= tolerance)
        return closed;

    // The root can fit in a double where v / |d|, v / |e| or the terms at the
    // root do not. So x = s y with s = 2^k near the root, k even so that
    // s^1.5 is a power of two too, and the equation reads
    //     (D y)^2 + (E y^1.5)^2 = 1,  D = |d| s / v,  E = |e| s^1.5 / v,
    // with both coefficients at most 1 and the larger about 1. They are
    // formed from mantissas and exponents, so nothing overflows on the way.
    int ev = 0;
    int ed = 0;
    int ee = 0;
    const double mv = std::frexp(v, &ev);
    const double md = std::frexp(std::fabs(d), &ed);
    const double me = std::frexp(std::fabs(e), &ee);
    // log2 of each term's own root: a = v / |d| and b = (v / |e|)^(2/3).
    const double logA = d == 0.0 ? std::numeric_limits<double>::infinity() : (ev - ed) + std::log2(mv / md);
    const double logB = ((ev - ee) + std::log2(mv / me)) * (2.0 / 3.0);
    const int k = 2 * int(std::floor(std::fmin(logA, logB) / 2.0));
    const double dd = d == 0.0 ? 0.0 : std::ldexp(md / mv, ed - ev + k);
    const double es = std::ldexp(me / mv, ee - ev + k + k / 2);

    // Each term alone reaches 1 at a (the D term) or b (the E term), so the
    // root lies below both; one term holds at least half, so it lies above
    // a / sqrt(2) or b / cbrt(2).
    const double a = 1.0 / dd;
    const double b = std::pow(1.0 / es, 2.0 / 3.0);
    double lo = std::fmin(a / std::sqrt(2.0), b / std::cbrt(2.0));
    double hi = std::fmin(a, b);
    double y = hi;
    if (lo < hi) {
        // x (p^2 + q^2 - 1) / (2 p^2 + 3 q^2) is the Newton step. The left
        // side is convex, so from hi the steps fall towards the root from
        // above; the bracket only guards against rounding.
        for (int i = 0; i < 200; ++i) {
            double p2 = 0.0;
            double q2 = 0.0;
            squaredTerms(y, 1.0, dd, es, &p2, &q2);
            const double f = p2 + q2 - 1.0;
            if (f == 0.0)
                break;
            if (f > 0.0)
                hi = y;
            else
                lo = y;
            double next = y - y * f / (2.0 * p2 + 3.0 * q2);
            if (!(next > lo && next < hi))
                next = lo + 0.5 * (hi - lo);
            if (next == y || next <= lo || next >= hi)
                break;
            y = next;
        }
    }
    // Beyond the largest double the root is no value.
    const double root = std::ldexp(y, k);
    return std::isinf(root) ? none : root;
}

double LegacyResponseRoot::closedForm(double value, double d, double e)
{
    const double s = d / e;
    const double t = value / e;
    const double s2 = s * s;
    const double a = s2 / 3.0;
    const double q = 2.0 * std::pow(a, 3.0) - t * t;
    const double p = -(s2 * s2) / 3.0 / 3.0;
    const double halfQ = q * 0.5;
    const double disc = p * (p * p) + halfQ * halfQ;
    if (disc >= 0.0) {
        const double h = -halfQ;
        const double r = std::sqrt(disc);
        return std::pow(h - r, third) + std::pow(h + r, third) - a;
    }
    // Three real roots (also reached by a NaN discriminant): the trigonometric form.
    const double r = std::sqrt(halfQ * halfQ - disc);
    const double theta = std::acos(-halfQ / r);
    return std::cos(theta / 3.0) * 2.0 * std::pow(r, third) - a;
}

double LegacyResponseRoot::relativeResidual(double x, double value, double d, double e)
{
    double p2 = 0.0;
    double q2 = 0.0;
    squaredTerms(x, std::fabs(value), d, e, &p2, &q2);
    return p2 + q2 - 1.0;
}
