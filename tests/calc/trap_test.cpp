#include "calc/design.h"
#include "calc/trap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Texts() {
    return {g_results.turns,        g_results.coilLength,
            g_results.cableLength,  g_results.lengthToDiameter,
            g_results.inductance,   g_results.capacitance,
            g_results.reactance,    g_results.lengthInfluence,
            g_results.turnInfluence};
}

class TrapTest : public ::testing::Test {
  protected:
    void SetUp() override {
        memset(&g_design, 0, sizeof g_design);
        memset(&g_results, 0, sizeof g_results);
        StoreDefaultDesign();
    }
    void Set(double frequency, double formdiam, double coaxdiam, double capunit, bool metric) {
        g_design.frequency = frequency;
        g_design.formdiam = formdiam;
        g_design.coaxdiam = coaxdiam;
        g_design.capunit = capunit;
        g_design.metric = metric;
    }
};

using Row = std::vector<std::string>;

TEST_F(TrapTest, SolvesTheDefaultsInBothUnitSystems) {
    SolveTrap();
    EXPECT_EQ(Texts(), (Row{"10.77", "2.10", "62.57", "1.15", "3.290", "154.69", "145.83", "55.71",
                            "135.92"}));
    ToggleUnits();
    SolveTrap();
    EXPECT_EQ(Texts(), (Row{"10.77", "5.33", "158.93", "1.15", "3.290", "154.69", "145.83", "21.93",
                            "53.51"}));
}

TEST_F(TrapTest, DesignsWithoutARootKeepThePreviousTexts) {
    const struct {
        const char* name;
        double frequency, formdiam, coaxdiam, capunit;
    } cases[] = {
        {"zero frequency", 0, 1.625, 0.195, 29.667},
        {"zero capacitance", 7.055, 1.625, 0.195, 0},
        {"zero winding diameter", 7.055, 0.5, -0.5, 29.667},
        {"NaN frequency", std::nan(""), 1.625, 0.195, 29.667},
    };
    for (const auto& c : cases) {
        memset(&g_results, 0, sizeof g_results);
        Set(c.frequency, c.formdiam, c.coaxdiam, c.capunit, false);
        SolveTrap();
        EXPECT_EQ(Texts(), Row(9, "")) << c.name << ": empty before any solution";

        StoreDefaultDesign();
        SolveTrap();
        Row solved = Texts();
        Set(c.frequency, c.formdiam, c.coaxdiam, c.capunit, false);
        SolveTrap();
        EXPECT_EQ(Texts(), solved) << c.name;
    }
}

TEST_F(TrapTest, RestoresTheDesignBitForBit) {
    const double values[][4] = {
        {7.055, 1.625, 0.195, 29.667}, {7.055, 4.1275, 0.4953, 97.332677164965},
        {14.1, 0.1, 0.3, 1e-300},      {-3.5, 0, 0, 0},
        {1e308, 1e308, 1e308, 1e308},  {std::nan(""), -0.0, HUGE_VAL, 5},
    };
    for (const auto& v : values) {
        for (bool metric : {false, true}) {
            Set(v[0], v[1], v[2], v[3], metric);
            TrapDesign before = g_design;
            SolveTrap();
            EXPECT_EQ(memcmp(&before, &g_design, sizeof before), 0) << v[0] << ' ' << metric;
        }
    }
}

TEST_F(TrapTest, NegativeFrequencyNegatesOnlyTheReactance) {
    SolveTrap();
    Row positive = Texts();
    g_design.frequency = -7.055;
    SolveTrap();
    Row negative = Texts();
    EXPECT_EQ(negative[6], "-" + positive[6]);
    negative[6] = positive[6];
    EXPECT_EQ(negative, positive);
}

TEST_F(TrapTest, DegenerateCableAndFormGiveNonFiniteTextsOnlyWhereTheyArise) {
    g_design.coaxdiam = 0;
    SolveTrap();
    Row zeroCoax = Texts();
    EXPECT_EQ(zeroCoax[1], "0.00");
    EXPECT_EQ(zeroCoax[3], "0.00");
    for (const std::string& text : zeroCoax)
        EXPECT_EQ(text.find("n"), std::string::npos) << text; // no nan, no inf

    StoreDefaultDesign();
    g_design.formdiam = 0;
    SolveTrap();
    Row zeroForm = Texts();
    EXPECT_TRUE(zeroForm[8] == "nan" || zeroForm[8] == "-nan") << zeroForm[8];
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(zeroForm[i].find("n"), std::string::npos) << zeroForm[i];
}

TEST_F(TrapTest, HugeInputsFormatInFullWithinTheTexts) {
    Set(1e-300, 1e300, 1e300, 1e-300, false);
    SolveTrap();
    for (const std::string& text : Texts())
        EXPECT_LT(text.size(), size_t(NUMBER_TEXT_SIZE));
}

TEST(ResonantFrequency, IsTheThomsonFormulaInKilohertz) {
    EXPECT_NEAR(ResonantFrequency(3.290, 154.69), 7055.0, 1.0);
    EXPECT_EQ(ResonantFrequency(1.0, 1.0), 1000000.0 / 6.283185307179586);
}

TEST(WheelerInductance, FollowsWheelersFormula) {
    EXPECT_EQ(WheelerInductance(2.0, 10.0, 1.0), 400.0 / 76.0);
    EXPECT_NEAR(WheelerInductance(1.82, 10.77, 2.1), 3.29, 0.01);
}

} // namespace
