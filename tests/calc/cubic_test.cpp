#include "calc/cubic.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double kNaN = std::nan("");

struct CubicCase {
    const char* name;
    double coef[4];
    int result;
    double real[3];
    double imag[3];
};

// Roots are compared to 1e-12; NaN expects NaN.
void ExpectNear(double actual, double expected, const char* what, const char* name, int k) {
    if (std::isnan(expected))
        EXPECT_TRUE(std::isnan(actual)) << name << ' ' << what << '[' << k << ']';
    else
        EXPECT_NEAR(actual, expected, 1e-12) << name << ' ' << what << '[' << k << ']';
}

TEST(SolveCubic, PlacesTheRootsOfEachBranchInTheirSlots) {
    const double s = std::sqrt(0.75);
    const CubicCase cases[] = {
        {"three real roots", {1, -6, 11, -6}, 1, {1, 2, 3}, {0, 0, 0}},
        {"scaled by two", {2, -12, 22, -12}, 1, {1, 2, 3}, {0, 0, 0}},
        {"cube root of one", {1, 0, 0, -1}, 0, {-0.5, -0.5, 1}, {-s, s, 0}},
        {"cube root of minus one", {1, 0, 0, 1}, 0, {-1, 0.5, 0.5}, {0, -s, s}},
        {"double root", {1, 0, -3, 2}, 0, {-2, 1, 1}, {0, 0, 0}},
        {"triple root", {1, -3, 3, -1}, 0, {1, 1, 1}, {0, 0, 0}},
        {"all zero", {0, 0, 0, 0}, 1, {kNaN, kNaN, kNaN}, {0, 0, 0}},
        {"leading zero", {0, 0, 5, 1}, 1, {kNaN, kNaN, kNaN}, {0, 0, 0}},
        {"NaN coefficient", {1, kNaN, 0, 0}, 1, {kNaN, kNaN, kNaN}, {0, 0, 0}},
    };
    for (const CubicCase& c : cases) {
        double coef[4] = {c.coef[0], c.coef[1], c.coef[2], c.coef[3]};
        CubicRoots roots;
        EXPECT_EQ(SolveCubic(coef, &roots), c.result) << c.name;
        for (int k = 0; k < 3; ++k) {
            ExpectNear(roots.realPart[k], c.real[k], "real", c.name, k);
            ExpectNear(roots.imagPart[k], c.imag[k], "imag", c.name, k);
        }
        if (c.result == 1) {
            for (int k = 0; k < 3; ++k) // the trigonometric branch writes +0.0
                EXPECT_FALSE(std::signbit(roots.imagPart[k])) << c.name << ' ' << k;
        }
    }
}

TEST(SolveCubic, RealRootOfCardanoIsExactlyZeroImaginary) {
    double coef[4] = {1, 0, 0, -1};
    CubicRoots roots;
    SolveCubic(coef, &roots);
    EXPECT_EQ(roots.imagPart[2], 0.0);
    EXPECT_FALSE(std::signbit(roots.imagPart[2]));
    EXPECT_EQ(roots.realPart[2], 1.0);
}

TEST(SolveCubic, NormalisesTheCoefficientsInPlace) {
    const struct {
        double in[4];
        double out[4];
    } cases[] = {
        {{2, -12, 22, -12}, {2, -6, 11, -6}},
        {{1, 7, 8, 9}, {1, 7, 8, 9}},
        {{-4, 2, 8, 1}, {-4, -0.5, -2, -0.25}},
    };
    for (const auto& c : cases) {
        double coef[4] = {c.in[0], c.in[1], c.in[2], c.in[3]};
        CubicRoots roots;
        SolveCubic(coef, &roots);
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(coef[k], c.out[k]) << k;
    }
    double zeros[4] = {0, 0, 0, 0};
    CubicRoots roots;
    SolveCubic(zeros, &roots);
    EXPECT_EQ(zeros[0], 0.0);
    for (int k = 1; k < 4; ++k)
        EXPECT_TRUE(std::isnan(zeros[k]));
}

TEST(SolveCubic, TrigonometricSlotZeroHoldsTheSmallestRoot) {
    // Roots -10, 0.5 and 4: (x + 10)(x - 0.5)(x - 4).
    double coef[4] = {1, 5.5, -43, 20};
    CubicRoots roots;
    ASSERT_EQ(SolveCubic(coef, &roots), 1);
    EXPECT_NEAR(roots.realPart[0], 0.5, 1e-12);
    double others[2] = {roots.realPart[1], roots.realPart[2]};
    EXPECT_NEAR(std::min(others[0], others[1]), -10, 1e-12);
    EXPECT_NEAR(std::max(others[0], others[1]), 4, 1e-12);
}

} // namespace
