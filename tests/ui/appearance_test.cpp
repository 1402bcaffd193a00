// What the window looks like: pixel checks on its surface, never whole pictures, which
// change with font versions.
#include "tests/support/mainwindow.h"

#include "platform/surface.h"
#include "platform/codepage.h"
#include "platform/window_internal.h"

#include <algorithm>

namespace {

class AppearanceTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Start();
        PaintPendingWindows();
        surface_ = WindowSurface(main_);
        ASSERT_NE(surface_, nullptr);
    }
    uint32_t Pixel(int x, int y) const { return surface_->pixels[y * surface_->width + x]; }
    // A control's rectangle in the main window's client coordinates.
    RECT Area(HWND control) const {
        RECT rect;
        GetWindowRect(control, &rect);
        POINT origin{0, 0};
        ClientToScreen(main_, &origin);
        OffsetRect(&rect, -origin.x, -origin.y);
        return rect;
    }
    RECT ClientArea(HWND control) const {
        RECT client;
        GetClientRect(control, &client);
        POINT origin{0, 0};
        ClientToScreen(control, &origin);
        POINT mainOrigin{0, 0};
        ClientToScreen(main_, &mainOrigin);
        OffsetRect(&client, origin.x - mainOrigin.x, origin.y - mainOrigin.y);
        return client;
    }
    static bool Dark(uint32_t pixel) {
        int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
        return r + g + b < 3 * 96;
    }
    // The bounding box of the dark pixels inside rect, and the widest run of them.
    struct Ink {
        int count = 0;
        RECT box{10000, 10000, -1, -1};
        int widestRun = 0;
    };
    Ink InkIn(const RECT& rect) const {
        Ink ink;
        for (int y = rect.top; y < rect.bottom; ++y) {
            int run = 0;
            for (int x = rect.left; x < rect.right; ++x) {
                if (!Dark(Pixel(x, y))) {
                    run = 0;
                    continue;
                }
                ++ink.count;
                ink.widestRun = std::max(ink.widestRun, ++run);
                ink.box.left = std::min<LONG>(ink.box.left, x);
                ink.box.top = std::min<LONG>(ink.box.top, y);
                ink.box.right = std::max<LONG>(ink.box.right, x + 1);
                ink.box.bottom = std::max<LONG>(ink.box.bottom, y + 1);
            }
        }
        return ink;
    }

    const Surface* surface_ = nullptr;
};

TEST_F(AppearanceTest, FieldsAndBackgroundHaveTheirColours) {
    const struct {
        HWND control;
        uint32_t colour;
    } cases[] = {
        {g_turnsEdit, 0xFFFF64},     {g_reactanceEdit, 0xFFFF64}, {g_turnInfluenceEdit, 0xFFFF64},
        {g_frequencyEdit, 0xFFFFFF}, {g_capunitEdit, 0xFFFFFF},
    };
    for (const auto& c : cases) {
        // Near the bottom right corner of the client area, clear of the text.
        RECT client = ClientArea(c.control);
        EXPECT_EQ(Pixel(client.right - 2, client.bottom - 2), c.colour) << GetDlgCtrlID(c.control);
    }
    EXPECT_EQ(Pixel(1, 1), GetSysColor(COLOR_BTNFACE) & 0xFFFFFF);
    // The results are written in black on the yellow.
    Ink digits = InkIn(ClientArea(g_turnsEdit));
    EXPECT_GT(digits.count, 10);
}

TEST_F(AppearanceTest, TheTitleIsLargerAndBolderThanALabel) {
    Ink title = InkIn(Area(g_titleStatic));
    Ink label = InkIn(Area(GetDlgItem(main_, IDC_FORMDIAM_UNIT)));
    ASSERT_GT(title.count, 0);
    ASSERT_GT(label.count, 0);
    EXPECT_GT(title.box.bottom - title.box.top, 2 * (label.box.bottom - label.box.top));
    EXPECT_GE(title.widestRun, 2 * label.widestRun) << "bold strokes are wider";
    // Centred in its rectangle.
    RECT area = Area(g_titleStatic);
    int left = title.box.left - area.left, right = area.right - title.box.right;
    EXPECT_LE(std::abs(left - right), 3);
}

TEST_F(AppearanceTest, EveryLabelShowsItsWholeText) {
    for (HWND child : ChildWindows(main_)) {
        char name[16] = "";
        GetClassNameA(child, name, sizeof name);
        if (strcmp(name, "Static") != 0 || child == g_titleStatic)
            continue;
        char text[64] = "";
        GetWindowTextA(child, text, sizeof text);
        RECT area = Area(child);
        Ink ink = InkIn(area);
        EXPECT_GT(ink.count, 0) << text;
        // The text fits on one line: no word is wrapped out of sight or cut by the edge.
        HDC dc = GetDC(child);
        HGDIOBJ previous = SelectObject(dc, (HGDIOBJ)SendMessageA(child, WM_GETFONT, 0, 0));
        SIZE extent{};
        GetTextExtentPoint32A(dc, text, (int)strlen(text), &extent);
        SelectObject(dc, previous);
        ReleaseDC(child, dc);
        EXPECT_LE(extent.cx, area.right - area.left) << AnsiToUtf8(text) << " is cut";
    }
}

} // namespace
