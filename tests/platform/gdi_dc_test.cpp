// Device contexts: their saved states, coordinate mapping, device capabilities, colours
// and modes.
#include "platform/gdi_internal.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

namespace {

const GdiDevice kScreen96{96, 1024, 768, 271, 203};
const GdiDevice kScreen144{144, 1920, 1080, 339, 190};

class GdiDcTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dc = GdiCreateDC(kScreen96, nullptr);
        ASSERT_NE(dc, nullptr);
    }
    void TearDown() override { EXPECT_TRUE(GdiDeleteDC(dc)); }
    HDC dc = nullptr;
};

TEST_F(GdiDcTest, StartsWithTheDefaultState) {
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), nullptr);
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetGraphicsMode(dc), GM_COMPATIBLE);
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    EXPECT_EQ(GetObjectType(dc), (DWORD)OBJ_DC);
    EXPECT_EQ(GdiWindowOfDC(dc), nullptr);
    POINT origin{1, 1};
    EXPECT_TRUE(GetViewportOrgEx(dc, &origin));
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
}

TEST(GdiDc, RemembersItsWindowAndDevice) {
    HWND window = (HWND)(uintptr_t)0x5008;
    HDC dc = GdiCreateDC(kScreen144, window);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GdiWindowOfDC(dc), window);
    GdiDevice device{};
    EXPECT_TRUE(GdiDeviceOfDC(dc, &device));
    EXPECT_EQ(device.dpi, 144);
    EXPECT_TRUE(GdiDeleteDC(dc));
    EXPECT_EQ(GdiWindowOfDC(dc), nullptr);
    EXPECT_FALSE(GdiDeleteDC(dc));
}

TEST(GdiDc, DeviceCapabilities) {
    struct Case {
        GdiDevice device;
        int index;
        int expected;
    };
    const Case cases[] = {
        {kScreen96, LOGPIXELSX, 96},   {kScreen96, LOGPIXELSY, 96},   {kScreen96, HORZRES, 1024},
        {kScreen96, VERTRES, 768},     {kScreen96, HORZSIZE, 271},    {kScreen96, VERTSIZE, 203},
        {kScreen144, LOGPIXELSX, 144}, {kScreen144, LOGPIXELSY, 144}, {kScreen144, HORZRES, 1920},
        {kScreen144, VERTRES, 1080},   {kScreen144, HORZSIZE, 339},   {kScreen144, VERTSIZE, 190},
        {kScreen96, BITSPIXEL, 32},    {kScreen96, 9999, 0},
    };
    for (const Case& c : cases) {
        HDC dc = GdiCreateDC(c.device, nullptr);
        EXPECT_EQ(GetDeviceCaps(dc, c.index), c.expected)
            << "dpi " << c.device.dpi << " index " << c.index;
        GdiDeleteDC(dc);
    }
}

// A fixture whose DC has saved four distinct states (levels 1..4, holding states 0..3)
// and is in a fifth (state 4).
class GdiDcStackTest : public ::testing::Test {
  protected:
    static constexpr int kStates = 5;

    void SetUp() override {
        dc = GdiCreateDC(kScreen96, nullptr);
        ASSERT_NE(dc, nullptr);
        for (int i = 0; i < kStates; ++i) {
            LOGFONTA log{};
            log.lfHeight = -10 - i;
            strcpy(log.lfFaceName, "Arial");
            fonts[i] = CreateFontIndirectA(&log);
            brushes[i] = CreateSolidBrush(RGB(i, 0, 0));
            ASSERT_NE(fonts[i], nullptr);
            ASSERT_NE(brushes[i], nullptr);
        }
        for (int i = 0; i < kStates; ++i) {
            Enter(i);
            if (i < kStates - 1) {
                ASSERT_EQ(SaveDC(dc), i + 1);
            }
        }
    }

    void TearDown() override {
        EXPECT_TRUE(GdiDeleteDC(dc));
        // With the DC gone nothing holds them any more.
        for (int i = 0; i < kStates; ++i) {
            EXPECT_TRUE(DeleteObject(fonts[i]));
            EXPECT_TRUE(DeleteObject(brushes[i]));
        }
    }

    // Odd states use the advanced mode with a world transform of their own.
    void Enter(int i) {
        SetGraphicsMode(dc, GM_ADVANCED);
        ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
        if (i % 2) {
            XFORM shift{1, 0, 0, 1, (FLOAT)i, 0};
            ASSERT_TRUE(SetWorldTransform(dc, &shift));
        } else {
            ASSERT_EQ(SetGraphicsMode(dc, GM_COMPATIBLE), GM_ADVANCED);
        }
        SetTextColor(dc, RGB(0, i, 0));
        SetBkColor(dc, RGB(0, 0, i));
        SetBkMode(dc, i % 2 ? TRANSPARENT : OPAQUE);
        SetViewportOrgEx(dc, i, 2 * i, nullptr);
        SetWindowOrgEx(dc, -i, 3 * i, nullptr);
        SelectObject(dc, fonts[i]);
        SelectObject(dc, brushes[i]);
    }

    void ExpectState(int i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(GetTextColor(dc), RGB(0, i, 0));
        EXPECT_EQ(GetBkColor(dc), RGB(0, 0, i));
        EXPECT_EQ(GetBkMode(dc), i % 2 ? TRANSPARENT : OPAQUE);
        EXPECT_EQ(GetGraphicsMode(dc), i % 2 ? GM_ADVANCED : GM_COMPATIBLE);
        XFORM world{};
        EXPECT_TRUE(GetWorldTransform(dc, &world));
        EXPECT_EQ(world.eDx, i % 2 ? (FLOAT)i : 0.0f);
        POINT viewport{}, window{};
        GetViewportOrgEx(dc, &viewport);
        GetWindowOrgEx(dc, &window);
        EXPECT_EQ(viewport.x, i);
        EXPECT_EQ(viewport.y, 2 * i);
        EXPECT_EQ(window.x, -i);
        EXPECT_EQ(window.y, 3 * i);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), fonts[i]);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brushes[i]);
        TEXTMETRICA metrics{};
        ASSERT_TRUE(GetTextMetricsA(dc, &metrics));
        EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 10 + i);
    }

    HDC dc = nullptr;
    std::array<HFONT, kStates> fonts{};
    std::array<HBRUSH, kStates> brushes{};
};

TEST_F(GdiDcStackTest, RestoresAbsoluteAndRelativeLevels) {
    struct Case {
        int argument;
        BOOL result;
        int state;  // the state in force afterwards
        int levels; // saved levels left afterwards
    };
    const Case cases[] = {
        {-1, TRUE, 3, 3},          {-2, TRUE, 2, 2},
        {-4, TRUE, 0, 0},          {1, TRUE, 0, 0},
        {2, TRUE, 1, 1},           {4, TRUE, 3, 3},
        {0, FALSE, 4, 4},          {5, FALSE, 4, 4},
        {-5, FALSE, 4, 4},         {-2147483647 - 1, FALSE, 4, 4},
        {2147483647, FALSE, 4, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument);
        TearDown();
        SetUp();
        EXPECT_EQ(RestoreDC(dc, c.argument), c.result);
        ExpectState(c.state);
        // The next save lands one above the levels that are left.
        EXPECT_EQ(SaveDC(dc), c.levels + 1);
    }
}

TEST_F(GdiDcStackTest, WalksBackDownTheStackOneLevelAtATime) {
    for (int i = kStates - 2; i >= 0; --i) {
        ASSERT_TRUE(RestoreDC(dc, -1));
        ExpectState(i);
    }
    EXPECT_FALSE(RestoreDC(dc, -1));
    ExpectState(0);
}

TEST_F(GdiDcStackTest, ObjectsHeldBySavedStatesCannotBeDeleted) {
    // fonts[1] is selected only in saved level 2; it must outlive that state.
    EXPECT_FALSE(DeleteObject(fonts[1]));
    EXPECT_FALSE(DeleteObject(fonts[4])); // the current one
    ASSERT_TRUE(RestoreDC(dc, 1));        // back to state 0: levels 1..4 are gone
    EXPECT_EQ(GetObjectType(fonts[1]), (DWORD)OBJ_FONT);
    HGDIOBJ previous = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(previous, fonts[0]);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    LOGFONTA log{};
    EXPECT_EQ(GetObjectA(fonts[1], sizeof log, &log), (int)sizeof log);
    EXPECT_EQ(log.lfHeight, -11);
}

TEST_F(GdiDcTest, SelectObjectReturnsThePreviousObjectOfItsKind) {
    HFONT font = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(SelectObject(dc, font), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SelectObject(dc, GetStockObject(NULL_PEN)), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    // A DC, a bogus handle and NULL are nothing to select, and change nothing.
    HDC other = GdiCreateDC(kScreen96, nullptr);
    EXPECT_EQ(SelectObject(dc, other), nullptr);
    EXPECT_EQ(SelectObject(dc, (HGDIOBJ)(uintptr_t)0x12345678), nullptr);
    EXPECT_EQ(SelectObject(dc, nullptr), nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    // The same brush may be selected into two DCs; it stays until both let it go.
    SelectObject(other, brush);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    EXPECT_FALSE(DeleteObject(brush));
    GdiDeleteDC(other);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(GetObjectType(brush), 0u);
}

struct MappingCase {
    POINT viewport;
    POINT window;
    XFORM world; // applied in the advanced mode
    POINT device;
    POINT logical;
    bool exact = true; // logical maps back onto device
};

TEST_F(GdiDcTest, MapsBetweenDeviceAndLogicalPoints) {
    const XFORM identity{1, 0, 0, 1, 0, 0};
    const MappingCase cases[] = {
        {{0, 0}, {0, 0}, identity, {5, 7}, {5, 7}},
        {{10, 20}, {0, 0}, identity, {15, 27}, {5, 7}},
        {{0, 0}, {100, -50}, identity, {5, 7}, {105, -43}},
        {{10, 20}, {100, 200}, identity, {0, 0}, {90, 180}},
        {{-3, 4}, {7, -8}, identity, {-2147483000, 5}, {-2147482990, -7}},
        // Scaled by two and moved by (3, 4), then the viewport moves it by (10, 0).
        {{10, 0}, {0, 0}, {2, 0, 0, 2, 3, 4}, {15, 6}, {1, 1}},
        // A quarter turn: (x, y) becomes (-y, x).
        {{0, 0}, {0, 0}, {0, 1, -1, 0, 0, 0}, {-3, 2}, {2, 3}},
        // Halves: device 3 is logical 1.5, which rounds up.
        {{0, 0}, {0, 0}, {2, 0, 0, 2, 0, 0}, {3, -3}, {2, -1}, false},
    };
    for (const MappingCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.device.x << "," << c.device.y);
        ASSERT_TRUE(SetGraphicsMode(dc, GM_ADVANCED));
        ASSERT_TRUE(SetWorldTransform(dc, &c.world));
        SetViewportOrgEx(dc, c.viewport.x, c.viewport.y, nullptr);
        SetWindowOrgEx(dc, c.window.x, c.window.y, nullptr);
        POINT points[2] = {c.device, c.device};
        ASSERT_TRUE(DPtoLP(dc, points, 2));
        for (const POINT& p : points) {
            EXPECT_EQ(p.x, c.logical.x);
            EXPECT_EQ(p.y, c.logical.y);
        }
        if (c.exact) {
            POINT back = c.logical;
            ASSERT_TRUE(LPtoDP(dc, &back, 1));
            EXPECT_EQ(back.x, c.device.x);
            EXPECT_EQ(back.y, c.device.y);
        }
        ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
    }
}

TEST_F(GdiDcTest, MappingChecksItsArguments) {
    POINT point{4, 5};
    EXPECT_TRUE(DPtoLP(dc, &point, 0));
    EXPECT_TRUE(DPtoLP(dc, nullptr, 0));
    EXPECT_FALSE(DPtoLP(dc, nullptr, 1));
    EXPECT_FALSE(DPtoLP(dc, &point, -1));
    EXPECT_FALSE(LPtoDP(dc, nullptr, 1));
    EXPECT_EQ(point.x, 4);
    // The origin setters hand back the previous origin.
    POINT previous{};
    EXPECT_TRUE(SetViewportOrgEx(dc, 3, 4, &previous));
    EXPECT_TRUE(SetViewportOrgEx(dc, 0, 0, &previous));
    EXPECT_EQ(previous.x, 3);
    EXPECT_EQ(previous.y, 4);
    EXPECT_TRUE(SetWindowOrgEx(dc, -1, -2, nullptr));
    EXPECT_TRUE(SetWindowOrgEx(dc, 0, 0, &previous));
    EXPECT_EQ(previous.x, -1);
    EXPECT_EQ(previous.y, -2);
}

TEST_F(GdiDcTest, WorldTransformNeedsTheAdvancedMode) {
    const XFORM twice{2, 0, 0, 2, 0, 0};
    const XFORM shift{1, 0, 0, 1, 10, 0};
    EXPECT_FALSE(ModifyWorldTransform(dc, nullptr, MWT_IDENTITY));
    EXPECT_FALSE(SetWorldTransform(dc, &twice));
    EXPECT_EQ(SetGraphicsMode(dc, 0), 0);
    EXPECT_EQ(SetGraphicsMode(dc, 3), 0);
    EXPECT_EQ(SetGraphicsMode(dc, GM_ADVANCED), GM_COMPATIBLE);

    // Left-multiplying applies the new transform first; right-multiplying applies it last.
    struct Case {
        DWORD mode;
        LONG x; // where logical (1, 0) lands
    };
    const Case cases[] = {{MWT_LEFTMULTIPLY, 22}, {MWT_RIGHTMULTIPLY, 12}};
    for (const Case& c : cases) {
        ASSERT_TRUE(SetWorldTransform(dc, &twice));
        ASSERT_TRUE(ModifyWorldTransform(dc, &shift, c.mode));
        POINT point{1, 0};
        LPtoDP(dc, &point, 1);
        EXPECT_EQ(point.x, c.x) << c.mode;
    }

    // Bad transforms and modes leave the current one as it is.
    const XFORM singular{1, 2, 2, 4, 0, 0};
    const XFORM huge{3e38f, 0, 0, 3e38f, 0, 0};
    EXPECT_FALSE(SetWorldTransform(dc, &singular));
    EXPECT_FALSE(ModifyWorldTransform(dc, &singular, MWT_LEFTMULTIPLY));
    EXPECT_FALSE(ModifyWorldTransform(dc, &huge, MWT_RIGHTMULTIPLY)); // twice it overflows
    EXPECT_FALSE(ModifyWorldTransform(dc, nullptr, MWT_LEFTMULTIPLY));
    EXPECT_FALSE(ModifyWorldTransform(dc, &twice, 99));
    XFORM world{};
    GetWorldTransform(dc, &world);
    EXPECT_EQ(world.eM11, 2.0f);
    EXPECT_EQ(world.eDx, 10.0f);

    // Back to the compatible mode only from the identity.
    EXPECT_EQ(SetGraphicsMode(dc, GM_COMPATIBLE), 0);
    EXPECT_TRUE(ModifyWorldTransform(dc, &singular, MWT_IDENTITY)); // xform not looked at
    EXPECT_EQ(SetGraphicsMode(dc, GM_COMPATIBLE), GM_ADVANCED);
}

TEST_F(GdiDcTest, ColoursAndBackgroundMode) {
    EXPECT_EQ(SetTextColor(dc, RGB(1, 2, 3)), RGB(0, 0, 0));
    EXPECT_EQ(SetTextColor(dc, 0), RGB(1, 2, 3));
    EXPECT_EQ(SetBkColor(dc, RGB(255, 255, 100)), RGB(255, 255, 255));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 100));
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetBkMode(dc, 0), 0);
    EXPECT_EQ(SetBkMode(dc, 3), 0);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);

    // A true-colour device: every colour is its own nearest.
    struct Case {
        COLORREF asked, nearest;
    };
    const Case cases[] = {
        {RGB(255, 255, 100), 0x0064FFFF}, {0, 0},          {0x00FFFFFF, 0x00FFFFFF},
        {0x02123456, 0x00123456},         {0x01000005, 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetNearestColor(dc, c.asked), c.nearest) << std::hex << c.asked;
}

} // namespace
