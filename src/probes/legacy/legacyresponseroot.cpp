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
    if (std::isnan(value) || std::isnan(d) || std::isnan(e))
        return std::numeric_limits<double>::quiet_NaN();
    const double v = std::fabs(value);
    if (v == 0.0 || std::isinf(v))
        return v;
    if (e == 0.0)
        return d == 0.0 ? 0.0 : std::fabs(value / d);

    const double closed = closedForm(value, d, e);
    if (std::isfinite(closed) && closed >= 0.0
        && std::fabs(relativeResidual(closed, value, d, e)) <= tolerance)
        return closed;

    // Each term alone reaches v^2 at a (the D term) or b (the E term), so the
    // root lies below both; one term holds at least half of v^2, so it lies
    // above a / sqrt(2) or b / cbrt(2).
    const double a = v / std::fabs(d);
    const double b = std::pow(v / std::fabs(e), 2.0 / 3.0);
    double lo = std::fmin(a / std::sqrt(2.0), b / std::cbrt(2.0));
    double hi = std::fmin(a, b);
    if (!(lo < hi))
        return hi;

    // The equation reads p^2 + q^2 = 1, and x (p^2 + q^2 - 1) / (2 p^2 + 3 q^2)
    // is the Newton step. The left side is convex, so from hi the steps fall
    // towards the root from above; the bracket only guards against rounding.
    double x = hi;
    for (int i = 0; i < 200; ++i) {
        double p2 = 0.0;
        double q2 = 0.0;
        squaredTerms(x, v, d, e, &p2, &q2);
        const double f = p2 + q2 - 1.0;
        if (f == 0.0)
            return x;
        if (f > 0.0)
            hi = x;
        else
            lo = x;
        double next = x - x * f / (2.0 * p2 + 3.0 * q2);
        if (!(next > lo && next < hi))
            next = lo + 0.5 * (hi - lo);
        if (next == x || next <= lo || next >= hi)
            break;
        x = next;
    }
    return x;
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
