#include "calc/cubic.h"

#include <cmath>

int SolveCubic(double coef[4], CubicRoots* roots) {
    const double third = 0.3333333333333333;
    const double twoThirds = 0.6666666666666666;

    if (coef[0] != 1.0) {
        coef[1] = coef[1] / coef[0];
        coef[2] = coef[2] / coef[0];
        coef[3] = coef[3] / coef[0];
    }
    const double a1 = coef[1];
    const double a2 = coef[2];
    const double a3 = coef[3];

    // x = y - h turns the equation into y^3 - 3r y + 2q = 0.
    const double h = a1 * third;
    const double q = ((h * a1 * twoThirds - a2) * h + a3) * 0.5;
    const double r = (h * a1 - a2) * third;
    const double r3 = r * r * r;
    const double d = q * q - r3;

    if (d >= 0) {
        // Cardano: one real root and a complex pair (or repeated real roots).
        double s = std::pow(std::sqrt(d) + std::fabs(q), third);
        double t;
        if (s != 0) {
            if (q > 0)
                s = -s;
            t = r / s;
        } else {
            s = q;
            t = r3;
        }
        const double y = std::sqrt(0.75) * (s - t);
        const double sigma = t + s;
        const double e = sigma * (-0.5) - h;
        const double x0 = sigma - h;
        roots->realPart[1] = e;
        roots->imagPart[1] = y;
        if ((sigma > 0) == (h > 0)) {
            roots->realPart[0] = x0;
            roots->imagPart[0] = 0.0;
            roots->realPart[2] = e;
            roots->imagPart[2] = -y;
        } else {
            roots->realPart[0] = e;
            roots->imagPart[0] = -y;
            roots->realPart[2] = x0;
            roots->imagPart[2] = 0.0;
        }
        return 0;
    }

    // Three distinct real roots (or a NaN discriminant): the trigonometric method.
    double theta;
    if (q == 0)
        theta = std::atan(1.0) * twoThirds;
    else
        theta = std::atan(std::sqrt(-d) / std::fabs(q)) * third;
    const double scale = q < 0 ? 2.0 * std::sqrt(r) : -2.0 * std::sqrt(r);
    const double u1 = std::cos(theta) * scale;
    const double u2 = -(std::sin(theta) * std::sqrt(0.75) * scale) - u1 * 0.5;
    const double x1 = u1 - h;
    const double x2 = u2 - h;
    const double x3 = (-u2 - u1) - h;

    // Slot 0 gets a root of least magnitude.
    double carried;
    if (std::fabs(x2) < std::fabs(x1)) {
        roots->realPart[2] = x1;
        carried = x2;
    } else {
        roots->realPart[2] = x2;
        carried = x1;
    }
    if (std::fabs(carried) < std::fabs(x3)) {
        roots->realPart[1] = x3;
        roots->realPart[0] = carried;
    } else {
        roots->realPart[1] = carried;
        roots->realPart[0] = x3;
    }
    roots->imagPart[0] = 0.0;
    roots->imagPart[1] = 0.0;
    roots->imagPart[2] = 0.0;
    return 1;
}
