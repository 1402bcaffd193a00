// Window surfaces and the paint pass: sizes, backgrounds, the order windows are painted
// in, BeginPaint's clipping, children's borders, and the caret laid over the pixels.
#include "platform/headless/headless.h"
#include "platform/surface.h"
#include "platform/winapi.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const COLORREF kRed = RGB(220, 20, 30);
const COLORREF kBlue = RGB(10, 40, 200);
const COLORREF kGreen = RGB(0, 200, 0);

std::vector<HWND> g_painted; // WM_PAINT receivers in order

// Paints its client area with the brush kept in GWL_USERDATA, if any, in WM_PAINT.
LRESULT CALLBACK PainterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    g_painted.push_back(window);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (HBRUSH brush = (HBRUSH)GetWindowLongA(window, GWL_USERDATA)) {
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, brush);
    }
    EndPaint(window, &paint);
    return 0;
}

// Takes WM_PAINT and does nothing with it.
LRESULT CALLBACK IdleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        g_painted.push_back(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class SurfaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessReset();
        g_painted.clear();
        Register("Face", PainterProc, (HBRUSH)(COLOR_BTNFACE + 1));
        Register("Bare", PainterProc, nullptr);
        Register("Idle", IdleProc, (HBRUSH)(COLOR_BTNFACE + 1));
        red = CreateSolidBrush(kRed);
        blue = CreateSolidBrush(kBlue);
        green = CreateSolidBrush(kGreen);
    }
    void TearDown() override {
        HeadlessReset();
        DeleteObject(red);
        DeleteObject(blue);
        DeleteObject(green);
    }
    static void Register(const char* name, WNDPROC procedure, HBRUSH background) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = procedure;
        wc.hbrBackground = background;
        wc.lpszClassName = name;
        ASSERT_NE(RegisterClassExA(&wc), 0);
    }
    static HWND Top(const char* className = "Face", DWORD style = WS_POPUP | WS_VISIBLE,
                    int width = 200, int height = 120) {
        return CreateWindowExA(0, className, "", style, 10, 10, width, height, nullptr, nullptr,
                               nullptr, nullptr);
    }
    static HWND Child(HWND parent, int x, int y, int width, int height, HBRUSH fill = nullptr,
                      DWORD style = 0, DWORD exStyle = 0, const char* className = "Bare") {
        HWND child = CreateWindowExA(exStyle, className, "", WS_CHILD | WS_VISIBLE | style, x, y,
                                     width, height, parent, nullptr, nullptr, nullptr);
        SetWindowLongA(child, GWL_USERDATA, (LONG_PTR)fill);
        return child;
    }
    static COLORREF At(HWND top, int x, int y) {
        const Surface* surface = WindowSurface(top);
        uint32_t p = surface->pixels[(size_t)y * surface->width + x];
        return RGB(p >> 16, (p >> 8) & 0xFF, p & 0xFF);
    }

    HBRUSH red = nullptr, blue = nullptr, green = nullptr;
};

TEST_F(SurfaceTest, ASurfaceIsTheClientAreaOfATopLevelWindow) {
    HWND framed = Top("Face", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 200, 120);
    HWND child = Child(framed, 0, 0, 10, 10);
    RECT client;
    GetClientRect(framed, &client);
    const Surface* surface = WindowSurface(framed);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->width, client.right);
    EXPECT_EQ(surface->height, client.bottom);
    EXPECT_LT(surface->height, 120) << "the caption is not on the surface";
    EXPECT_EQ(surface->pixels.size(), (size_t)surface->width * surface->height);
    EXPECT_EQ(WindowSurface(child), nullptr);
    EXPECT_EQ(WindowSurface(nullptr), nullptr);

    // Resized with the window, repainted over the new part.
    HeadlessPump();
    MoveWindow(framed, 10, 10, 300, 200, TRUE);
    HeadlessPump();
    GetClientRect(framed, &client);
    surface = WindowSurface(framed);
    EXPECT_EQ(surface->width, client.right);
    EXPECT_EQ(surface->height, client.bottom);
    EXPECT_EQ(At(framed, client.right - 1, client.bottom - 1), GetSysColor(COLOR_BTNFACE));
    DestroyWindow(framed);
    EXPECT_EQ(WindowSurface(framed), nullptr);
}

TEST_F(SurfaceTest, TheClassBrushErasesTheBackground) {
    HWND top = Top();
    HWND idle = Child(top, 100, 10, 40, 40, nullptr, 0, 0, "Idle");
    HeadlessPump();
    EXPECT_EQ(At(top, 0, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(At(top, 199, 119), GetSysColor(COLOR_BTNFACE));
    // A window that ignores WM_PAINT still gets its background.
    HDC dc = GetDC(top);
    RECT all{0, 0, 200, 120};
    FillRect(dc, &all, green);
    ReleaseDC(top, dc);
    EXPECT_EQ(At(top, 120, 30), kGreen);
    InvalidateRect(idle, nullptr, TRUE);
    g_painted.clear();
    HeadlessPump();
    EXPECT_EQ(g_painted, (std::vector<HWND>{idle}));
    EXPECT_EQ(At(top, 120, 30), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(At(top, 0, 0), kGreen) << "only the invalid window was painted";
    // Without erasing asked for, it is left alone.
    dc = GetDC(top);
    FillRect(dc, &all, green);
    ReleaseDC(top, dc);
    InvalidateRect(idle, nullptr, FALSE);
    HeadlessPump();
    EXPECT_EQ(At(top, 120, 30), kGreen);
}

TEST_F(SurfaceTest, ParentsPaintBeforeChildrenAndTheTopmostSiblingEndsOnTop) {
    HWND top = Top();
    HWND above = Child(top, 10, 10, 60, 60, red);  // made first: topmost
    HWND below = Child(top, 40, 40, 60, 60, blue); // overlaps it from below
    HeadlessPump();
    EXPECT_EQ(g_painted, (std::vector<HWND>{top, below, above}));
    EXPECT_EQ(At(top, 20, 20), kRed);
    EXPECT_EQ(At(top, 50, 50), kRed) << "the topmost child covers the one below";
    EXPECT_EQ(At(top, 80, 80), kBlue);
    EXPECT_EQ(At(top, 5, 5), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(At(top, 150, 100), GetSysColor(COLOR_BTNFACE));

    // All painted again: the same result, in the same order.
    g_painted.clear();
    InvalidateRect(top, nullptr, TRUE);
    PaintPendingWindows();
    EXPECT_EQ(g_painted, (std::vector<HWND>{top, below, above}));
    EXPECT_EQ(At(top, 50, 50), kRed);
    EXPECT_EQ(At(top, 80, 80), kBlue);
    // UpdateWindow paints in that order too.
    g_painted.clear();
    InvalidateRect(top, nullptr, TRUE);
    UpdateWindow(top);
    EXPECT_EQ(g_painted, (std::vector<HWND>{top, below, above}));

    // The window below painted alone: the one above it is painted again over it.
    g_painted.clear();
    InvalidateRect(below, nullptr, TRUE);
    HeadlessPump();
    EXPECT_EQ(g_painted, (std::vector<HWND>{below, above}));
    EXPECT_EQ(At(top, 50, 50), kRed);
    EXPECT_EQ(At(top, 80, 80), kBlue);
    // Where they do not overlap, the one above is left alone.
    g_painted.clear();
    RECT corner{40, 40, 60, 60}; // the part of below that nothing covers
    InvalidateRect(below, &corner, TRUE);
    HeadlessPump();
    EXPECT_EQ(g_painted, (std::vector<HWND>{below}));
}

TEST_F(SurfaceTest, BeginPaintDrawsOnlyInTheUpdateRectangle) {
    HWND top = Top("Bare");
    SetWindowLongA(top, GWL_USERDATA, (LONG_PTR)red);
    HeadlessPump();
    EXPECT_EQ(At(top, 0, 0), kRed);
    SetWindowLongA(top, GWL_USERDATA, (LONG_PTR)blue);
    RECT part{10, 20, 30, 25};
    InvalidateRect(top, &part, FALSE);
    HeadlessPump();
    EXPECT_EQ(At(top, 10, 20), kBlue);
    EXPECT_EQ(At(top, 29, 24), kBlue);
    EXPECT_EQ(At(top, 9, 20), kRed);
    EXPECT_EQ(At(top, 30, 24), kRed);
    EXPECT_EQ(At(top, 10, 25), kRed);

    // The paint DC's clip box is the update rectangle; nothing invalid, nothing drawn.
    InvalidateRect(top, &part, FALSE);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(top, &paint);
    RECT box;
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_TRUE(EqualRect(&box, &part));
    EndPaint(top, &paint);
    dc = BeginPaint(top, &paint);
    EXPECT_EQ(GetClipBox(dc, &box), NULLREGION);
    RECT all{0, 0, 200, 120};
    FillRect(dc, &all, green);
    EndPaint(top, &paint);
    EXPECT_EQ(At(top, 50, 50), kRed);
}

TEST_F(SurfaceTest, ChildBordersAreDrawnAroundTheirClientAreas) {
    HWND top = Top();
    HWND sunken = Child(top, 20, 20, 50, 30, red, 0, WS_EX_CLIENTEDGE);
    HWND lined = Child(top, 100, 20, 50, 30, red, WS_BORDER);
    HeadlessPump();
    struct Case {
        int x, y;
        COLORREF expected;
    };
    const Case cases[] = {
        {20, 20, GetSysColor(COLOR_3DSHADOW)},
        {60, 20, GetSysColor(COLOR_3DSHADOW)},
        {21, 21, GetSysColor(COLOR_3DDKSHADOW)},
        {69, 49, GetSysColor(COLOR_3DHILIGHT)},
        {69, 30, GetSysColor(COLOR_3DHILIGHT)},
        {68, 48, GetSysColor(COLOR_3DLIGHT)},
        {22, 22, kRed},
        {67, 47, kRed},
        {19, 20, GetSysColor(COLOR_BTNFACE)},
        {70, 50, GetSysColor(COLOR_BTNFACE)},
        {100, 20, GetSysColor(COLOR_WINDOWFRAME)},
        {149, 49, GetSysColor(COLOR_WINDOWFRAME)},
        {101, 21, kRed},
        {148, 48, kRed},
    };
    auto check = [&](const char* when) {
        for (const Case& c : cases)
            EXPECT_EQ(At(top, c.x, c.y), c.expected) << when << " at " << c.x << "," << c.y;
    };
    check("first paint");

    // The parent repainted where only the border lies: the border comes back.
    RECT strip{18, 18, 22, 60};
    InvalidateRect(top, &strip, TRUE);
    HeadlessPump();
    check("after the parent painted over the border");
    // The child alone repainted.
    InvalidateRect(sunken, nullptr, TRUE);
    InvalidateRect(lined, nullptr, TRUE);
    HeadlessPump();
    check("after the children painted");
}

TEST_F(SurfaceTest, ClipChildrenKeepsTheParentOffItsChildren) {
    HWND top = Top("Bare", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    SetWindowLongA(top, GWL_USERDATA, (LONG_PTR)green);
    HWND child = Child(top, 20, 20, 50, 30, red, 0, WS_EX_CLIENTEDGE);
    HeadlessPump();
    g_painted.clear();
    InvalidateRect(top, nullptr, TRUE);
    HeadlessPump();
    EXPECT_EQ(g_painted, (std::vector<HWND>{top})) << "the child was not painted again";
    EXPECT_EQ(At(top, 30, 30), kRed);
    EXPECT_EQ(At(top, 20, 20), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(At(top, 10, 10), kGreen);
    (void)child;
}

TEST_F(SurfaceTest, TheCaretShowsOverThePixelsAndNeverStaysInThem) {
    HWND top = Top();
    HWND field = Child(top, 20, 20, 80, 20, green);
    HeadlessPump();
    const COLORREF inverted = RGB(255, 55, 255); // green inverted
    EXPECT_FALSE(ShowCaret(field)) << "no caret yet";
    ASSERT_TRUE(CreateCaret(field, nullptr, 2, 10));
    ASSERT_TRUE(SetCaretPos(5, 3));
    EXPECT_EQ(At(top, 25, 23), kGreen) << "made hidden";
    EXPECT_TRUE(ShowCaret(field));
    EXPECT_EQ(At(top, 25, 23), inverted);
    EXPECT_EQ(At(top, 26, 32), inverted);
    EXPECT_EQ(At(top, 27, 23), kGreen) << "two pixels wide";
    EXPECT_EQ(At(top, 25, 33), kGreen) << "ten pixels high";
    POINT where{0, 0};
    EXPECT_TRUE(GetCaretPos(&where));
    EXPECT_EQ(where.x, 5);

    // Drawing and reading through a DC see what is painted, not the caret.
    HDC dc = GetDC(field);
    EXPECT_EQ(GetPixel(dc, 5, 3), kGreen);
    ReleaseDC(field, dc);
    InvalidateRect(field, nullptr, TRUE);
    HeadlessPump();
    EXPECT_EQ(At(top, 25, 23), inverted) << "shown again after the paint";

    // Moved: the old place shows what is painted there.
    SetCaretPos(40, 3);
    EXPECT_EQ(At(top, 25, 23), kGreen);
    EXPECT_EQ(At(top, 60, 23), inverted);

    // Hiding counts.
    EXPECT_TRUE(HideCaret(field));
    EXPECT_TRUE(HideCaret(nullptr));
    EXPECT_EQ(At(top, 60, 23), kGreen);
    EXPECT_TRUE(ShowCaret(field));
    EXPECT_EQ(At(top, 60, 23), kGreen) << "still hidden once";
    EXPECT_TRUE(ShowCaret(nullptr));
    EXPECT_EQ(At(top, 60, 23), inverted);
    EXPECT_FALSE(HideCaret(top)) << "not its window";

    EXPECT_TRUE(DestroyCaret());
    EXPECT_EQ(At(top, 60, 23), kGreen);
    EXPECT_FALSE(DestroyCaret());
    EXPECT_FALSE(GetCaretPos(&where));
}

TEST_F(SurfaceTest, TheCaretStaysInsideItsWindowAndGoesWithIt) {
    HWND top = Top();
    HWND field = Child(top, 20, 20, 30, 10, green);
    HeadlessPump();
    ASSERT_TRUE(CreateCaret(field, nullptr, 0, 40)); // no width: a border's width
    SetCaretPos(29, 0);
    ShowCaret(field);
    EXPECT_EQ(At(top, 49, 20), RGB(255, 55, 255));
    EXPECT_EQ(At(top, 50, 20), GetSysColor(COLOR_BTNFACE)) << "one pixel wide";
    EXPECT_EQ(At(top, 49, 30), GetSysColor(COLOR_BTNFACE)) << "cut at the window's bottom";
    DestroyWindow(field);
    HeadlessPump();
    EXPECT_EQ(At(top, 49, 20), GetSysColor(COLOR_BTNFACE));
    EXPECT_FALSE(DestroyCaret()) << "it went with its window";
}

TEST_F(SurfaceTest, VersionsGrowWhenThePixelsChange) {
    HWND top = Top();
    HeadlessPump();
    uint64_t version = WindowSurface(top)->version;
    EXPECT_EQ(WindowSurface(top)->version, version) << "looking changes nothing";
    InvalidateRect(top, nullptr, TRUE);
    PaintPendingWindows();
    EXPECT_GT(WindowSurface(top)->version, version);
}

} // namespace
