// Closed-form roots of a real cubic equation.
#pragma once

struct CubicRoots {
    double realPart[3];
    double imagPart[3];
};

// Solves coef[0]x^3 + coef[1]x^2 + coef[2]x + coef[3] = 0. Unless coef[0] is exactly 1,
// coef[1..3] are divided by it in place. Returns 1 when the trigonometric method ran
// (three real roots, or a NaN discriminant) and 0 when Cardano's formula ran. Nothing is
// checked: degenerate coefficients give whatever the arithmetic gives.
int SolveCubic(double coef[4], CubicRoots* roots);
