// Drawing on window surfaces: filled and framed rectangles, lines, polygons, pixels, the
// DC's origins and clipping, and the clipping of child windows to their ancestors.
#include "platform/headless/headless.h"
#include "platform/surface.h"
#include "platform/winapi.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 120;
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(220, 20, 30);
const COLORREF kBlue = RGB(10, 40, 200);

// A shown top-level window whose client area is the whole window, white, with a DC.
class DrawFillTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessReset();
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        wc.lpszClassName = "Canvas";
        ASSERT_NE(RegisterClassExA(&wc), 0);
        top = Make(nullptr, 0, 0, kWidth, kHeight);
        ASSERT_NE(top, nullptr);
        HeadlessPump();
        dc = GetDC(top);
        ASSERT_NE(dc, nullptr);
    }
    void TearDown() override {
        ReleaseDC(top, dc);
        for (HGDIOBJ object : objects)
            DeleteObject(object);
        HeadlessReset();
    }

    static HWND Make(HWND parent, int x, int y, int width, int height, DWORD style = 0) {
        style |= WS_VISIBLE | (parent ? WS_CHILD : WS_POPUP);
        return CreateWindowExA(0, "Canvas", "", style, x, y, width, height, parent, nullptr,
                               nullptr, nullptr);
    }
    template <class T> T Keep(T object) {
        objects.push_back(object);
        return object;
    }
    COLORREF At(int x, int y) const {
        const Surface* surface = WindowSurface(top);
        uint32_t p = surface->pixels[(size_t)y * surface->width + x];
        return RGB(p >> 16, (p >> 8) & 0xFF, p & 0xFF);
    }
    // How many pixels of the surface differ from white.
    int Changed() const {
        const Surface* surface = WindowSurface(top);
        int count = 0;
        for (uint32_t p : surface->pixels)
            count += p != 0xFFFFFF;
        return count;
    }

    HWND top = nullptr;
    HDC dc = nullptr;
    std::vector<HGDIOBJ> objects;
};

TEST_F(DrawFillTest, FillRectPaintsInsideOnlyWithHandlesAndSystemColours) {
    struct Case {
        const char* name;
        HBRUSH brush;
        COLORREF expected;
    };
    const Case cases[] = {
        {"solid brush", Keep(CreateSolidBrush(kRed)), kRed},
        {"stock brush", (HBRUSH)GetStockObject(BLACK_BRUSH), RGB(0, 0, 0)},
        {"COLOR_BTNFACE + 1", (HBRUSH)(COLOR_BTNFACE + 1), GetSysColor(COLOR_BTNFACE)},
        {"COLOR_HIGHLIGHT + 1", (HBRUSH)(COLOR_HIGHLIGHT + 1), GetSysColor(COLOR_HIGHLIGHT)},
        {"system colour brush", GetSysColorBrush(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DDKSHADOW)},
    };
    for (const Case& c : cases) {
        RECT white{0, 0, kWidth, kHeight};
        FillRect(dc, &white, (HBRUSH)GetStockObject(WHITE_BRUSH));
        RECT r{10, 20, 30, 25};
        EXPECT_EQ(FillRect(dc, &r, c.brush), 1) << c.name;
        EXPECT_EQ(At(10, 20), c.expected) << c.name;
        EXPECT_EQ(At(29, 24), c.expected) << c.name;
        EXPECT_EQ(At(9, 20), kWhite) << c.name;
        EXPECT_EQ(At(30, 20), kWhite) << c.name;
        EXPECT_EQ(At(10, 19), kWhite) << c.name;
        EXPECT_EQ(At(10, 25), kWhite) << c.name;
        EXPECT_EQ(Changed(), 20 * 5) << c.name;
    }
}

TEST_F(DrawFillTest, FillRectRefusesWhatIsNoBrushAndHollowPaintsNothing) {
    RECT r{10, 10, 20, 20};
    EXPECT_EQ(FillRect(dc, &r, (HBRUSH)GetStockObject(NULL_BRUSH)), 1);
    EXPECT_EQ(FillRect(dc, &r, (HBRUSH)(uintptr_t)(25 + 1)), 0) << "25 is no system colour";
    EXPECT_EQ(FillRect(dc, &r, (HBRUSH)GetStockObject(BLACK_PEN)), 0) << "a pen is no brush";
    EXPECT_EQ(FillRect(dc, nullptr, (HBRUSH)(COLOR_WINDOWTEXT + 1)), 0);
    EXPECT_EQ(FillRect(nullptr, &r, (HBRUSH)(COLOR_WINDOWTEXT + 1)), 0);
    EXPECT_EQ(Changed(), 0);
}

TEST_F(DrawFillTest, FrameRectDrawsOnePixelInsideTheRectangle) {
    RECT r{10, 10, 20, 16};
    EXPECT_EQ(FrameRect(dc, &r, Keep(CreateSolidBrush(kRed))), 1);
    for (POINT p :
         {POINT{10, 10}, POINT{19, 10}, POINT{10, 15}, POINT{19, 15}, POINT{15, 10}, POINT{10, 13}})
        EXPECT_EQ(At(p.x, p.y), kRed) << p.x << "," << p.y;
    EXPECT_EQ(At(11, 11), kWhite);
    EXPECT_EQ(At(20, 10), kWhite);
    EXPECT_EQ(Changed(), 2 * 10 + 2 * 4);
}

TEST_F(DrawFillTest, FocusRectangleIsDottedAndGoesAwayWhenDrawnAgain) {
    RECT r{10, 10, 30, 20};
    EXPECT_TRUE(DrawFocusRect(dc, &r));
    // Every other pixel of the frame: about half of its 56 pixels.
    int dots = Changed();
    EXPECT_GE(dots, 26);
    EXPECT_LE(dots, 30);
    EXPECT_EQ(At(15, 15), kWhite) << "the inside stays";
    EXPECT_NE(At(10, 10) == kWhite, At(11, 10) == kWhite) << "neighbours alternate";
    EXPECT_TRUE(DrawFocusRect(dc, &r));
    EXPECT_EQ(Changed(), 0);
}

TEST_F(DrawFillTest, LinesLeaveOutTheirLastPointAndUseThePen) {
    HPEN red = Keep(CreatePen(PS_SOLID, 1, kRed));
    HGDIOBJ old = SelectObject(dc, red);
    POINT previous{-1, -1};
    EXPECT_TRUE(MoveToEx(dc, 10, 10, &previous));
    EXPECT_EQ(previous.x, 0);
    EXPECT_TRUE(LineTo(dc, 30, 10));
    EXPECT_TRUE(LineTo(dc, 30, 20));
    EXPECT_TRUE(LineTo(dc, 20, 30));
    EXPECT_EQ(At(10, 10), kRed);
    EXPECT_EQ(At(29, 10), kRed);
    EXPECT_EQ(At(30, 10), kRed) << "the second line starts there";
    EXPECT_EQ(At(30, 19), kRed);
    EXPECT_EQ(At(25, 25), kRed) << "the diagonal";
    EXPECT_EQ(At(20, 30), kWhite) << "the last point is left out";
    EXPECT_EQ(Changed(), 20 + 10 + 10);

    // The null pen moves the position without drawing.
    SelectObject(dc, GetStockObject(NULL_PEN));
    EXPECT_TRUE(LineTo(dc, 50, 50));
    EXPECT_EQ(Changed(), 40);
    EXPECT_TRUE(MoveToEx(dc, 0, 0, &previous));
    EXPECT_EQ(previous.x, 50);
    EXPECT_EQ(previous.y, 50);
    SelectObject(dc, old);
}

TEST_F(DrawFillTest, LinesFarOutsideCostNothingAndDrawOnlyWhatCrosses) {
    EXPECT_TRUE(MoveToEx(dc, -2000000000, 60, nullptr));
    EXPECT_TRUE(LineTo(dc, 2000000000, 60));
    EXPECT_EQ(Changed(), kWidth);
    EXPECT_EQ(At(0, 60), RGB(0, 0, 0));
    EXPECT_EQ(At(kWidth - 1, 60), RGB(0, 0, 0));
}

TEST_F(DrawFillTest, PensAreObjectsAndTheNullPenIsTheStockOne) {
    HPEN pen = CreatePen(PS_SOLID, 0, kBlue);
    ASSERT_NE(pen, nullptr);
    EXPECT_EQ(GetObjectType(pen), (DWORD)OBJ_PEN);
    LOGPEN log{};
    EXPECT_EQ(GetObjectA(pen, sizeof log, &log), (int)sizeof log);
    EXPECT_EQ(log.lopnStyle, (UINT)PS_SOLID);
    EXPECT_EQ(log.lopnColor, kBlue);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_EQ(GetObjectType(pen), 0u);
    EXPECT_EQ(CreatePen(PS_NULL, 3, kBlue), GetStockObject(NULL_PEN));
}

TEST_F(DrawFillTest, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    HGDIOBJ oldPen = SelectObject(dc, Keep(CreatePen(PS_SOLID, 1, kRed)));
    HGDIOBJ oldBrush = SelectObject(dc, Keep(CreateSolidBrush(kBlue)));
    EXPECT_TRUE(Rectangle(dc, 10, 10, 20, 20));
    EXPECT_EQ(At(10, 10), kRed);
    EXPECT_EQ(At(19, 19), kRed);
    EXPECT_EQ(At(15, 15), kBlue);
    EXPECT_EQ(At(20, 20), kWhite);
    // Without an outline the figure is a pixel smaller each way.
    SelectObject(dc, GetStockObject(NULL_PEN));
    EXPECT_TRUE(Rectangle(dc, 40, 10, 50, 20));
    EXPECT_EQ(At(40, 10), kBlue);
    EXPECT_EQ(At(48, 18), kBlue);
    EXPECT_EQ(At(49, 19), kWhite);
    // Without a brush only the outline.
    SelectObject(dc, oldPen);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    EXPECT_TRUE(Rectangle(dc, 60, 10, 70, 20));
    EXPECT_EQ(At(60, 10), RGB(0, 0, 0));
    EXPECT_EQ(At(65, 15), kWhite);
    SelectObject(dc, oldBrush);
}

TEST_F(DrawFillTest, PolygonFillsItsInsideAndOutlinesIt) {
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, Keep(CreateSolidBrush(kBlue)));
    const POINT triangle[] = {{10, 10}, {50, 10}, {10, 50}};
    EXPECT_TRUE(Polygon(dc, triangle, 3));
    EXPECT_EQ(At(12, 12), kBlue);
    EXPECT_EQ(At(25, 20), kBlue);
    EXPECT_EQ(At(40, 40), kWhite) << "beyond the slanted side";
    int filled = Changed();
    EXPECT_GT(filled, 700); // about half of 40 x 40
    EXPECT_LT(filled, 900);
    SelectObject(dc, Keep(CreatePen(PS_SOLID, 1, kRed)));
    EXPECT_TRUE(Polygon(dc, triangle, 3));
    EXPECT_EQ(At(10, 10), kRed);
    EXPECT_EQ(At(30, 10), kRed);
    EXPECT_EQ(At(10, 30), kRed);
    EXPECT_EQ(At(30, 30), kRed) << "the closing side";
    EXPECT_FALSE(Polygon(dc, triangle, 1));
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

TEST_F(DrawFillTest, PixelsAreSetAndReadInsideTheClientAreaOnly) {
    EXPECT_EQ(SetPixel(dc, 5, 6, kRed), kRed);
    EXPECT_EQ(At(5, 6), kRed);
    EXPECT_EQ(GetPixel(dc, 5, 6), kRed);
    EXPECT_EQ(GetPixel(dc, 6, 6), kWhite);
    EXPECT_EQ(GetPixel(dc, -1, 6), CLR_INVALID);
    EXPECT_EQ(GetPixel(dc, kWidth, 6), CLR_INVALID);
    EXPECT_EQ(SetPixel(dc, kWidth, 6, kRed), CLR_INVALID);
    EXPECT_EQ(Changed(), 1);
}

TEST_F(DrawFillTest, ViewportAndWindowOriginsMoveTheDrawing) {
    SetViewportOrgEx(dc, 50, 40, nullptr);
    SetWindowOrgEx(dc, 5, 5, nullptr);
    RECT r{5, 5, 10, 10};
    FillRect(dc, &r, (HBRUSH)(COLOR_WINDOWTEXT + 1));
    EXPECT_EQ(At(50, 40), RGB(0, 0, 0));
    EXPECT_EQ(At(54, 44), RGB(0, 0, 0));
    EXPECT_EQ(Changed(), 25);
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(0, 0, 0));
}

TEST_F(DrawFillTest, IntersectClipRectNarrowsDrawingAndSaveDCKeepsIt) {
    RECT box{1, 1, 1, 1};
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, kWidth);
    EXPECT_EQ(box.bottom, kHeight);

    int saved = SaveDC(dc);
    EXPECT_EQ(IntersectClipRect(dc, 10, 10, 40, 30), SIMPLEREGION);
    EXPECT_EQ(IntersectClipRect(dc, 20, 0, 100, 100), SIMPLEREGION);
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 20);
    EXPECT_EQ(box.top, 10);
    EXPECT_EQ(box.right, 40);
    EXPECT_EQ(box.bottom, 30);
    RECT all{0, 0, kWidth, kHeight};
    FillRect(dc, &all, (HBRUSH)(COLOR_WINDOWTEXT + 1));
    EXPECT_EQ(Changed(), 20 * 20);
    EXPECT_EQ(At(19, 15), kWhite);
    EXPECT_EQ(At(20, 10), RGB(0, 0, 0));

    EXPECT_EQ(IntersectClipRect(dc, 100, 100, 110, 110), NULLREGION);
    EXPECT_EQ(GetClipBox(dc, &box), NULLREGION);
    RestoreDC(dc, saved);
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, kWidth);
    EXPECT_EQ(IntersectClipRect(nullptr, 0, 0, 1, 1), ERROR);
}

TEST_F(DrawFillTest, ChildDrawingStaysInsideItsClientAreaAndItsAncestors) {
    // A child at 20,20 (40 x 30) and a grandchild reaching past its right and bottom edges.
    HWND child = Make(top, 20, 20, 40, 30);
    HWND grandchild = Make(child, 30, 20, 40, 40);
    ASSERT_NE(grandchild, nullptr);
    HeadlessPump();
    RECT huge{-1000, -1000, 1000, 1000};

    HDC childDc = GetDC(child);
    FillRect(childDc, &huge, Keep(CreateSolidBrush(kRed)));
    EXPECT_EQ(At(20, 20), kRed);
    EXPECT_EQ(At(59, 49), kRed);
    EXPECT_EQ(At(19, 20), kWhite);
    EXPECT_EQ(At(60, 49), kWhite);
    EXPECT_EQ(At(59, 50), kWhite);
    EXPECT_EQ(Changed(), 40 * 30);
    RECT box;
    EXPECT_EQ(GetClipBox(childDc, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 40);
    EXPECT_EQ(box.bottom, 30);
    ReleaseDC(child, childDc);

    HDC inner = GetDC(grandchild);
    FillRect(inner, &huge, Keep(CreateSolidBrush(kBlue)));
    EXPECT_EQ(At(50, 40), kBlue) << "the grandchild's corner";
    EXPECT_EQ(At(59, 49), kBlue);
    EXPECT_EQ(At(49, 40), kRed);
    EXPECT_EQ(At(60, 45), kWhite) << "outside the child";
    EXPECT_EQ(At(55, 50), kWhite);
    ReleaseDC(grandchild, inner);
}

TEST_F(DrawFillTest, HiddenWindowsAndScreenDCsDrawNothing) {
    HWND child = Make(top, 20, 20, 40, 30);
    ShowWindow(child, SW_HIDE);
    HeadlessPump();
    RECT all{0, 0, kWidth, kHeight};
    HDC hidden = GetDC(child);
    EXPECT_EQ(FillRect(hidden, &all, (HBRUSH)(COLOR_WINDOWTEXT + 1)), 1);
    EXPECT_EQ(GetPixel(hidden, 1, 1), CLR_INVALID);
    RECT box;
    EXPECT_EQ(GetClipBox(hidden, &box), NULLREGION);
    ReleaseDC(child, hidden);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(FillRect(screen, &all, (HBRUSH)(COLOR_WINDOWTEXT + 1)), 1);
    EXPECT_EQ(GetClipBox(screen, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, GetSystemMetrics(SM_CXSCREEN));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(Changed(), 0);
}

TEST_F(DrawFillTest, SiblingsWithClipSiblingsKeepOutOfTheOnesAbove) {
    HWND above = Make(top, 10, 10, 40, 40);
    HWND below = Make(top, 30, 30, 40, 40, WS_CLIPSIBLINGS);
    HeadlessPump();
    RECT all{0, 0, 100, 100};
    HDC belowDc = GetDC(below);
    FillRect(belowDc, &all, Keep(CreateSolidBrush(kRed)));
    ReleaseDC(below, belowDc);
    EXPECT_EQ(At(45, 45), kWhite) << "the sibling above covers this";
    EXPECT_EQ(At(55, 55), kRed);
    EXPECT_EQ(At(30, 55), kRed);
    (void)above;
}

} // namespace
