// Static controls: their text, their font, the colours they ask their parent for, and
// that clicks pass through them to what lies beneath without moving the focus.
#include "platform/headless/headless.h"
#include "platform/winapi.h"
#include "tests/support/message_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Record = MessageRecord;

std::vector<Record> g_log;
LRESULT g_colorAnswer = 0;         // what the parent answers to WM_CTLCOLORSTATIC; 0: the default
std::vector<HGDIOBJ> g_colorFonts; // the font in the DC whenever the parent was asked
std::vector<DWORD> g_colorDcTypes; // and the kind of object the DC was
WNDPROC g_staticProc = nullptr;    // the class's procedure behind a subclass

bool Watched(UINT message) {
    return message == WM_CTLCOLORSTATIC || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ||
           message == WM_SETFOCUS || message == WM_KILLFOCUS;
}

LRESULT CALLBACK RecorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (Watched(message))
        g_log.push_back({window, message, wParam, lParam});
    if (message == WM_CTLCOLORSTATIC) {
        g_colorFonts.push_back(GetCurrentObject((HDC)wParam, OBJ_FONT));
        g_colorDcTypes.push_back(GetObjectType((HGDIOBJ)wParam));
        if (g_colorAnswer)
            return g_colorAnswer;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK StaticSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (Watched(message))
        g_log.push_back({window, message, wParam, lParam});
    return CallWindowProcA(g_staticProc, window, message, wParam, lParam);
}

std::vector<Record> Only(UINT message) {
    return OnlyMessages(g_log, {message});
}

// A frameless recorder parent at 100,100 (400 x 300).
class Static : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessReset();
        g_log.clear();
        g_colorFonts.clear();
        g_colorAnswer = 0;
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = RecorderProc;
        wc.lpszClassName = "Recorder";
        ASSERT_NE(RegisterClassExA(&wc), 0);
        parent_ = CreateWindowExA(0, "Recorder", "", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300,
                                  nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
        EXPECT_FALSE(HeadlessPump());
        g_log.clear();
    }
    void TearDown() override { HeadlessReset(); }

    HWND Make(const char* cls, const char* text, DWORD style, int x, int y, int w, int h) {
        HWND window = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                      parent_, nullptr, nullptr, nullptr);
        EXPECT_NE(window, nullptr);
        return window;
    }

    HWND MakeStatic(const char* text, DWORD style, int x = 10, int y = 10, int w = 120,
                    int h = 20) {
        HWND window = Make("Static", text, style, x, y, w, h);
        g_staticProc = (WNDPROC)SetWindowLongA(window, GWL_WNDPROC, (LONG_PTR)StaticSubclass);
        return window;
    }

    HWND parent_ = nullptr;
};

TEST_F(Static, TextIsSetReadAndRedrawn) {
    HWND label = MakeStatic("Frequency:", SS_RIGHT);
    EXPECT_FALSE(HeadlessPump());
    std::string longText(3000, 'x');
    longText += "\tend";
    struct Case {
        const char* what;
        std::string text;
    } cases[] = {
        {"a label", "MHz"},
        {"empty", ""},
        {"with an ampersand", "A&B"},
        {"longer than any label", longText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(SendMessageA(label, WM_SETTEXT, 0, (LPARAM)c.text.c_str()), TRUE);
        EXPECT_TRUE(GetUpdateRect(label, nullptr, FALSE));
        EXPECT_EQ(SendMessageA(label, WM_GETTEXTLENGTH, 0, 0), (LRESULT)c.text.size());
        std::vector<char> buffer(c.text.size() + 8, '?');
        EXPECT_EQ(SendMessageA(label, WM_GETTEXT, buffer.size(), (LPARAM)buffer.data()),
                  (LRESULT)c.text.size());
        EXPECT_EQ(std::string(buffer.data()), c.text);
        // A short buffer gets what fits, terminated, and nothing past it.
        char small[4] = {'?', '?', '?', '?'};
        LRESULT copied = SendMessageA(label, WM_GETTEXT, 3, (LPARAM)small);
        EXPECT_EQ(copied, (LRESULT)std::min<size_t>(2, c.text.size()));
        EXPECT_EQ(std::string(small), c.text.substr(0, 2));
        EXPECT_EQ(small[3], '?');
        // Painting shows it and leaves nothing to paint.
        EXPECT_FALSE(HeadlessPump());
        EXPECT_FALSE(GetUpdateRect(label, nullptr, FALSE));
    }
}

TEST_F(Static, TheFontIsKeptAndRedrawnOnRequest) {
    HWND title = MakeStatic("Coaxial Trap Design", SS_CENTER);
    EXPECT_FALSE(HeadlessPump());
    EXPECT_EQ(SendMessageA(title, WM_GETFONT, 0, 0), 0);

    LOGFONTA description{};
    description.lfHeight = -27;
    description.lfWeight = 700;
    strcpy(description.lfFaceName, "MS Sans Serif");
    HFONT titleFont = CreateFontIndirectA(&description);
    ASSERT_NE(titleFont, nullptr);
    HFONT other = (HFONT)GetStockObject(ANSI_VAR_FONT);

    struct Case {
        HFONT font;
        LPARAM redraw;
    } cases[] = {{other, FALSE}, {titleFont, TRUE}, {other, 0x10000}, {titleFont, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.redraw);
        g_colorFonts.clear();
        SendMessageA(title, WM_SETFONT, (WPARAM)c.font, c.redraw);
        EXPECT_EQ(SendMessageA(title, WM_GETFONT, 0, 0), (LRESULT)c.font);
        // Only the low word of lParam asks for a redraw.
        bool redraw = LOWORD(c.redraw) != 0;
        EXPECT_EQ(GetUpdateRect(title, nullptr, FALSE) != FALSE, redraw);
        EXPECT_FALSE(HeadlessPump());
        // When it redraws, it draws with the new font.
        EXPECT_EQ(g_colorFonts, redraw ? std::vector<HGDIOBJ>{c.font} : std::vector<HGDIOBJ>{});
    }
    DestroyWindow(title);
    DeleteObject(titleFont);
}

// Painting asks the parent with WM_CTLCOLORSTATIC (the paint DC, the static), with the
// static's font in the DC, and accepts a brush, a COLOR_x + 1 value or no answer.
TEST_F(Static, PaintingAsksTheParentForColours) {
    HFONT font = (HFONT)GetStockObject(ANSI_VAR_FONT);
    struct Case {
        const char* what;
        DWORD style;
        LRESULT answer;
        bool disabled;
    } cases[] = {
        {"left, COLOR_BTNFACE + 1", SS_LEFT, COLOR_BTNFACE + 1, false},
        {"centred, a brush", SS_CENTER, (LRESULT)GetStockObject(WHITE_BRUSH), false},
        {"right, no answer", SS_RIGHT, 0, false},
        {"no prefix, COLOR_WINDOW + 1", SS_LEFT | SS_NOPREFIX, COLOR_WINDOW + 1, false},
        {"disabled, COLOR_BTNFACE + 1", SS_RIGHT, COLOR_BTNFACE + 1, true},
        {"notifying, a brush", SS_LEFT | SS_NOTIFY, (LRESULT)GetStockObject(WHITE_BRUSH), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HWND label = MakeStatic("Cable &length:\tx", c.style | (c.disabled ? WS_DISABLED : 0));
        SendMessageA(label, WM_SETFONT, (WPARAM)font, FALSE);
        EXPECT_FALSE(HeadlessPump());
        g_colorAnswer = c.answer;
        g_log.clear();
        g_colorFonts.clear();
        g_colorDcTypes.clear();
        InvalidateRect(label, nullptr, TRUE);
        UpdateWindow(label);
        std::vector<Record> requests = Only(WM_CTLCOLORSTATIC);
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].window, parent_);
        EXPECT_EQ(g_colorDcTypes, std::vector<DWORD>{OBJ_DC});
        EXPECT_EQ(requests[0].lParam, (LPARAM)label);
        EXPECT_EQ(g_colorFonts, std::vector<HGDIOBJ>{font});
        EXPECT_FALSE(GetUpdateRect(label, nullptr, FALSE));
        g_colorAnswer = 0;
        DestroyWindow(label);
    }
}

LRESULT CALLBACK DestroyingParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORSTATIC) {
        DestroyWindow((HWND)lParam);
        return COLOR_BTNFACE + 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(Static, AStaticDestroyedWhileItsParentChoosesColoursStopsPainting) {
    HWND label = MakeStatic("text", SS_LEFT);
    SendMessageA(label, WM_SETFONT, (WPARAM)GetStockObject(ANSI_VAR_FONT), FALSE);
    EXPECT_FALSE(HeadlessPump());
    SetWindowLongA(parent_, GWL_WNDPROC, (LONG_PTR)DestroyingParentProc);
    InvalidateRect(label, nullptr, TRUE);
    UpdateWindow(label);
    SetWindowLongA(parent_, GWL_WNDPROC, (LONG_PTR)RecorderProc);
    EXPECT_FALSE(IsWindow(label));
}

// Labels and frames let the mouse through: a click reaches the window beneath them, or the
// parent, and never moves the focus. Only a static with SS_NOTIFY takes the mouse itself.
TEST_F(Static, ClicksPassThroughToTheWindowBeneath) {
    // Topmost first: the labels and the frame over a recorder child.
    HWND plain = MakeStatic("label", SS_LEFT, 10, 10, 120, 20);
    HWND notify = MakeStatic("notify", SS_LEFT | SS_NOTIFY, 10, 40, 120, 20);
    HWND disabled = MakeStatic("disabled", SS_LEFT | WS_DISABLED, 10, 70, 120, 20);
    HWND overChild = MakeStatic("over a child", SS_CENTER, 200, 10, 120, 20);
    HWND frame = Make("Button", "Frame", BS_GROUPBOX, 10, 150, 300, 100);
    HWND beneath = Make("Recorder", "", 0, 190, 0, 150, 40);
    EXPECT_FALSE(HeadlessPump());
    ASSERT_EQ(GetFocus(), parent_);

    struct Case {
        const char* what;
        HWND control;
        int x, y; // screen
        HWND receiver;
        LRESULT hit; // the control's own answer to WM_NCHITTEST there
    } cases[] = {
        {"a label over nothing", plain, 150, 120, parent_, HTTRANSPARENT},
        {"a label over a window", overChild, 350, 120, beneath, HTTRANSPARENT},
        {"a disabled label", disabled, 150, 180, parent_, HTTRANSPARENT},
        {"a group box's frame", frame, 111, 300, parent_, HTTRANSPARENT},
        {"inside a group box", frame, 250, 300, parent_, HTTRANSPARENT},
        {"a label with SS_NOTIFY", notify, 150, 150, notify, HTCLIENT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(SendMessageA(c.control, WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)), c.hit);
        g_log.clear();
        HeadlessClick(c.x, c.y);
        EXPECT_FALSE(HeadlessPump());
        POINT client{c.x, c.y};
        ScreenToClient(c.receiver, &client);
        std::vector<Record> expected = {
            {c.receiver, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y)},
            {c.receiver, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y)},
        };
        std::vector<Record> clicks;
        for (const Record& r : g_log) {
            if (r.message == WM_LBUTTONDOWN || r.message == WM_LBUTTONUP)
                clicks.push_back(r);
        }
        EXPECT_EQ(clicks, expected);
        EXPECT_EQ(GetFocus(), parent_);
        EXPECT_TRUE(Only(WM_SETFOCUS).empty());
    }
}

TEST_F(Static, AStandaloneLabelTakesNoClicks) {
    HWND label = CreateWindowExA(0, "Static", "alone", WS_POPUP | WS_VISIBLE, 600, 600, 100, 20,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(label, nullptr);
    g_staticProc = (WNDPROC)SetWindowLongA(label, GWL_WNDPROC, (LONG_PTR)StaticSubclass);
    EXPECT_FALSE(HeadlessPump()); // it paints with the default colours: it has no parent to ask
    g_log.clear();
    HWND focus = GetFocus();
    HeadlessClick(650, 610);
    EXPECT_FALSE(HeadlessPump());
    EXPECT_TRUE(Only(WM_LBUTTONDOWN).empty());
    EXPECT_TRUE(Only(WM_LBUTTONUP).empty());
    EXPECT_EQ(GetFocus(), focus);
}

TEST_F(Static, DialogCode) {
    HWND label = MakeStatic("label", SS_LEFT);
    EXPECT_EQ(SendMessageA(label, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

} // namespace
