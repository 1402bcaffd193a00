// Three-dimensional edges and frame controls: the colours of each ring at the corners,
// adjusting the rectangle, filling the middle, push buttons and arrow buttons.
#include "platform/headless/headless.h"
#include "platform/surface.h"
#include "platform/winapi.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 80;
const COLORREF kGreen = RGB(0, 200, 0); // none of the system colours of the edges

COLORREF Sys(int index) {
    return GetSysColor(index);
}

class DrawEdgeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessReset();
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "EdgeCanvas";
        ASSERT_NE(RegisterClassExA(&wc), 0);
        top = CreateWindowExA(0, "EdgeCanvas", "", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight,
                              nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(top, nullptr);
        HeadlessPump();
        dc = GetDC(top);
        green = CreateSolidBrush(kGreen);
        Clear();
    }
    void TearDown() override {
        ReleaseDC(top, dc);
        DeleteObject(green);
        HeadlessReset();
    }
    void Clear() {
        RECT all{0, 0, kWidth, kHeight};
        FillRect(dc, &all, green);
    }
    COLORREF At(int x, int y) const {
        const Surface* surface = WindowSurface(top);
        uint32_t p = surface->pixels[(size_t)y * surface->width + x];
        return RGB(p >> 16, (p >> 8) & 0xFF, p & 0xFF);
    }
    // The bounding box of the pixels of one colour inside r, empty when there are none.
    RECT Box(const RECT& r, COLORREF color) const {
        RECT box{r.right, r.bottom, r.left, r.top};
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (At(x, y) == color) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box;
    }
    int Count(const RECT& r, COLORREF color) const {
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                count += At(x, y) == color;
        return count;
    }

    HWND top = nullptr;
    HDC dc = nullptr;
    HBRUSH green = nullptr;
};

TEST_F(DrawEdgeTest, EdgesColourTheirRingsAtTheCorners) {
    struct Case {
        const char* name;
        UINT edge, flags;
        // outer top-left, inner top-left, inner bottom-right, outer bottom-right
        int outerLight, innerLight, innerDark, outerDark;
    };
    const Case cases[] = {
        {"raised", EDGE_RAISED, BF_RECT, COLOR_3DLIGHT, COLOR_3DHILIGHT, COLOR_3DSHADOW,
         COLOR_3DDKSHADOW},
        {"sunken", EDGE_SUNKEN, BF_RECT, COLOR_3DSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT,
         COLOR_3DHILIGHT},
        {"etched", EDGE_ETCHED, BF_RECT, COLOR_3DSHADOW, COLOR_3DHILIGHT, COLOR_3DSHADOW,
         COLOR_3DHILIGHT},
        {"bump", EDGE_BUMP, BF_RECT, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT,
         COLOR_3DDKSHADOW},
        {"soft raised", EDGE_RAISED, BF_RECT | BF_SOFT, COLOR_3DHILIGHT, COLOR_3DLIGHT,
         COLOR_3DSHADOW, COLOR_3DDKSHADOW},
        {"soft sunken", EDGE_SUNKEN, BF_RECT | BF_SOFT, COLOR_3DDKSHADOW, COLOR_3DSHADOW,
         COLOR_3DLIGHT, COLOR_3DHILIGHT},
    };
    for (const Case& c : cases) {
        Clear();
        RECT r{10, 10, 40, 30};
        EXPECT_TRUE(DrawEdge(dc, &r, c.edge, c.flags)) << c.name;
        EXPECT_EQ(At(10, 10), Sys(c.outerLight)) << c.name;
        EXPECT_EQ(At(20, 10), Sys(c.outerLight)) << c.name;
        EXPECT_EQ(At(11, 11), Sys(c.innerLight)) << c.name;
        EXPECT_EQ(At(38, 28), Sys(c.innerDark)) << c.name;
        EXPECT_EQ(At(39, 29), Sys(c.outerDark)) << c.name;
        EXPECT_EQ(At(39, 20), Sys(c.outerDark)) << c.name;
        // The far corners of the top and left lines belong to the bottom and right ones.
        EXPECT_EQ(At(39, 10), Sys(c.outerDark)) << c.name;
        EXPECT_EQ(At(10, 29), Sys(c.outerDark)) << c.name;
        EXPECT_EQ(At(12, 12), kGreen) << c.name << ": the middle is left";
        EXPECT_EQ(At(9, 9), kGreen) << c.name;
        EXPECT_EQ(At(40, 30), kGreen) << c.name;
        EXPECT_EQ(r.left, 10) << c.name << ": no BF_ADJUST, no change";
    }
}

TEST_F(DrawEdgeTest, AdjustShrinksByTheSidesDrawnAndMiddleFills) {
    struct Case {
        UINT edge, flags;
        RECT after;
    };
    const Case cases[] = {
        {EDGE_SUNKEN, BF_RECT | BF_ADJUST, {12, 12, 38, 28}},
        {BDR_RAISEDINNER, BF_RECT | BF_ADJUST, {11, 11, 39, 29}},
        {EDGE_RAISED, BF_LEFT | BF_TOP | BF_ADJUST, {12, 12, 40, 30}},
        {EDGE_RAISED, BF_BOTTOM | BF_ADJUST, {10, 10, 40, 28}},
    };
    for (const Case& c : cases) {
        Clear();
        RECT r{10, 10, 40, 30};
        EXPECT_TRUE(DrawEdge(dc, &r, c.edge, c.flags | BF_MIDDLE));
        EXPECT_TRUE(EqualRect(&r, &c.after)) << c.edge << "/" << c.flags << ": " << r.left << ","
                                             << r.top << "," << r.right << "," << r.bottom;
        // The middle is what is left inside.
        EXPECT_EQ(Count(c.after, Sys(COLOR_3DFACE)),
                  (c.after.right - c.after.left) * (c.after.bottom - c.after.top));
        EXPECT_EQ(At(c.after.left, c.after.top), Sys(COLOR_3DFACE));
        EXPECT_EQ(At(c.after.right - 1, c.after.bottom - 1), Sys(COLOR_3DFACE));
    }
    // Top and left only: the top line runs to the right end.
    Clear();
    RECT r{10, 10, 40, 30};
    DrawEdge(dc, &r, EDGE_RAISED, BF_LEFT | BF_TOP);
    EXPECT_EQ(At(39, 10), Sys(COLOR_3DLIGHT));
    EXPECT_EQ(At(39, 29), kGreen);
}

TEST_F(DrawEdgeTest, FlatAndMonoEdges) {
    RECT r{10, 10, 40, 30};
    DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_FLAT);
    EXPECT_EQ(At(10, 10), Sys(COLOR_3DSHADOW));
    EXPECT_EQ(At(39, 29), Sys(COLOR_3DSHADOW));
    EXPECT_EQ(At(11, 11), Sys(COLOR_3DFACE));
    Clear();
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_MONO);
    EXPECT_EQ(At(10, 10), Sys(COLOR_WINDOWFRAME));
    EXPECT_EQ(At(39, 29), Sys(COLOR_WINDOWFRAME));
    EXPECT_EQ(At(11, 11), kGreen);
}

TEST_F(DrawEdgeTest, PushButtonRaisedOrPushed) {
    RECT r{10, 10, 50, 30};
    EXPECT_TRUE(DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH));
    EXPECT_EQ(At(10, 10), Sys(COLOR_3DHILIGHT));
    EXPECT_EQ(At(49, 29), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(At(30, 20), Sys(COLOR_BTNFACE));
    EXPECT_EQ(r.left, 10) << "the rectangle stays";
    Clear();
    EXPECT_TRUE(DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED));
    EXPECT_EQ(At(10, 10), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(At(49, 29), Sys(COLOR_3DHILIGHT));
    EXPECT_EQ(At(30, 20), Sys(COLOR_BTNFACE));
    EXPECT_FALSE(DrawFrameControl(dc, &r, 99, 0));
    EXPECT_FALSE(DrawFrameControl(dc, nullptr, DFC_BUTTON, DFCS_BUTTONPUSH));
}

TEST_F(DrawEdgeTest, ArrowButtonsShowACentredBlackTriangle) {
    const COLORREF black = Sys(COLOR_BTNTEXT);
    RECT r{20, 20, 37, 37}; // 17 x 17, the size of a combo box's button
    struct Case {
        UINT state;
        bool widestOnTop; // a down arrow is widest at its top row
    };
    for (const Case& c : {Case{DFCS_SCROLLCOMBOBOX, true}, Case{DFCS_SCROLLDOWN, true},
                          Case{DFCS_SCROLLUP, false}}) {
        Clear();
        RECT button = r;
        EXPECT_TRUE(DrawFrameControl(dc, &button, DFC_SCROLL, c.state));
        EXPECT_EQ(At(20, 20), Sys(COLOR_3DLIGHT)) << c.state << ": a raised face";
        RECT box = Box(r, black);
        ASSERT_LT(box.left, box.right) << c.state << ": an arrow is drawn";
        int width = box.right - box.left, height = box.bottom - box.top;
        EXPECT_EQ(width % 2, 1) << c.state << ": a point in the middle";
        EXPECT_GE(width, 5);
        EXPECT_EQ(height, width / 2 + 1) << c.state;
        EXPECT_EQ(box.left - r.left, r.right - box.right) << c.state << ": centred across";
        EXPECT_LE(std::abs((box.top - r.top) - (r.bottom - box.bottom)), 1) << c.state;
        int topRow = Count(RECT{box.left, box.top, box.right, box.top + 1}, black);
        int bottomRow = Count(RECT{box.left, box.bottom - 1, box.right, box.bottom}, black);
        EXPECT_EQ(topRow > bottomRow, c.widestOnTop) << c.state;
        EXPECT_EQ(std::max(topRow, bottomRow), width);
        EXPECT_EQ(std::min(topRow, bottomRow), 1);

        // Pushed: a flat face and the arrow a pixel down and right.
        Clear();
        button = r;
        EXPECT_TRUE(DrawFrameControl(dc, &button, DFC_SCROLL, c.state | DFCS_PUSHED));
        EXPECT_EQ(At(20, 20), Sys(COLOR_3DSHADOW));
        RECT pushed = Box(r, black);
        EXPECT_EQ(pushed.left, box.left + 1) << c.state;
        EXPECT_EQ(pushed.top, box.top + 1) << c.state;
    }
    // Inactive: grey, no black.
    Clear();
    RECT button = r;
    EXPECT_TRUE(DrawFrameControl(dc, &button, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_INACTIVE));
    RECT inside{22, 22, 35, 35};
    EXPECT_EQ(Count(inside, black), 0);
    EXPECT_GT(Count(inside, Sys(COLOR_3DSHADOW)), 5);
}

} // namespace
