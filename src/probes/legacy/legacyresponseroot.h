#pragma once

// Response model 0 of the legacy probe: the apparent conductivity of a
// modulus v is the x >= 0 with
//     (D x)^2 + (E x^1.5)^2 = v^2,
// whose left side grows strictly with x when D or E is non-zero.
//
// The closed (Cardano) formula for the root of x^3 + s^2 x^2 - t^2 = 0, with
// s = D / E and t = v / E, cancels away every digit when the D term
// dominates (M1 close to M2, or a small modulus): its discriminant is then a
// difference of nearly equal numbers, and its angle sits at acos(-1). It
// gives a wrong, negative or NaN root there. solve() keeps the closed
// formula's result only when it is finite, non-negative and satisfies the
// equation to 1e-12 relative; otherwise it solves the equation, scaled by a
// power of two so that extreme constants neither overflow nor underflow, by
// Newton steps held inside the bracket that the two terms give, bisecting
// where a step would leave it. Where the closed formula is sound its result
// is returned unchanged.
//
// No Qt, no state; safe from any thread.
class LegacyResponseRoot
{
public:
    // The root for modulus value: 0 for a zero modulus, |value / d| when
    // e = 0, 0 when d = e = 0 (no response at all) and when d or e is
    // infinite. A root beyond the largest double, a NaN among the inputs and
    // an infinite modulus give NaN (no value); the result is otherwise
    // finite and never negative.
    static double solve(double value, double d, double e);

    // The closed formula alone, for e != 0; may be inaccurate, negative or NaN.
    static double closedForm(double value, double d, double e);

    // ((d x)^2 + (e x^1.5)^2) / value^2 - 1 for value != 0, formed from
    // ratios so that it neither overflows nor underflows near the root.
    static double relativeResidual(double x, double value, double d, double e);
};
