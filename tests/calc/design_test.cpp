#include "calc/design.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

class DesignTest : public ::testing::Test {
  protected:
    void SetUp() override {
        memset(&g_design, 0, sizeof g_design);
        StoreDefaultDesign();
    }
};

TEST_F(DesignTest, DefaultsAreTheImperialDesign) {
    EXPECT_EQ(g_design.frequency, 7.055);
    EXPECT_EQ(g_design.formdiam, 1.625);
    EXPECT_EQ(g_design.coaxdiam, 0.195);
    EXPECT_EQ(g_design.capunit, 29.667);
    EXPECT_FALSE(g_design.metric);
    EXPECT_EQ(g_design.selectedCable, 0);
    EXPECT_STREQ(g_design.coaxchoice, "");
}

TEST_F(DesignTest, DefaultsLeaveTheUnitSystemAlone) {
    g_design.metric = true;
    g_design.selectedCable = 5;
    strcpy(g_design.coaxchoice, "RG-58");
    StoreDefaultDesign();
    EXPECT_TRUE(g_design.metric);
    EXPECT_EQ(g_design.selectedCable, 0);
    EXPECT_STREQ(g_design.coaxchoice, "");
}

TEST_F(DesignTest, ConversionFactorsAreTheExactDoubles) {
    EXPECT_EQ(INCHES_PER_CM, 1 / 2.54);
    EXPECT_EQ(METRES_PER_FOOT, 1 / 3.280839895);
    EXPECT_NE(INCHES_PER_CM, 0.3937007874015748);
}

TEST_F(DesignTest, ToggleConvertsWithOneMultiplicationEach) {
    ToggleUnits();
    EXPECT_TRUE(g_design.metric);
    EXPECT_EQ(g_design.frequency, 7.055);
    EXPECT_EQ(g_design.formdiam, 1.625 * 2.54);
    EXPECT_EQ(g_design.coaxdiam, 0.195 * 2.54);
    EXPECT_EQ(g_design.capunit, 29.667 * 3.280839895);
}

TEST_F(DesignTest, RoundTripsComeBackOrOneUnitInTheLastPlaceBelow) {
    ToggleUnits();
    ToggleUnits();
    EXPECT_FALSE(g_design.metric);
    EXPECT_EQ(g_design.formdiam, 1.625);
    EXPECT_EQ(g_design.capunit, 29.667);
    EXPECT_EQ(g_design.coaxdiam, std::nextafter(0.195, 0.0));
    EXPECT_EQ(g_design.frequency, 7.055);
}

TEST_F(DesignTest, ToggleConvertsZeroAndNegativeValuesAlike) {
    g_design.formdiam = 0;
    g_design.coaxdiam = -1;
    g_design.capunit = -30;
    g_design.metric = true;
    ToggleUnits();
    EXPECT_FALSE(g_design.metric);
    EXPECT_EQ(g_design.formdiam, 0);
    EXPECT_EQ(g_design.coaxdiam, -INCHES_PER_CM);
    EXPECT_EQ(g_design.capunit, -30 * METRES_PER_FOOT);
}

} // namespace
