// Window data, subclassing, texts, visibility, geometry, painting and the default window
// procedure; the clipboard, WinHelp, icons and window device contexts.
#include "platform/controls.h"
#include "platform/gdi_device.h"
#include "platform/headless/headless.h"
#include "platform/window_internal.h"
#include "platform/winapi.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<UINT> g_messages;
std::vector<HWND> g_receivers;

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    g_messages.push_back(message);
    g_receivers.push_back(window);
    return DefWindowProcA(window, message, wParam, lParam);
}

// A subclass that keeps WM_CHAR to itself and hands everything else on.
WNDPROC g_previous = nullptr;
int g_swallowed = 0;
LRESULT CALLBACK SwallowCharsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR) {
        ++g_swallowed;
        return 0;
    }
    return CallWindowProcA(g_previous, window, message, wParam, lParam);
}

// A subclass that upper-cases the text it is given and forwards it.
WNDPROC g_forwardTo = nullptr;
LRESULT CALLBACK UpperCaseProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT && lParam) {
        std::string text = reinterpret_cast<const char*>(lParam);
        for (char& c : text)
            if (c >= 'a' && c <= 'z')
                c = (char)(c - 'a' + 'A');
        return CallWindowProcA(g_forwardTo, window, message, wParam, (LPARAM)text.c_str());
    }
    return CallWindowProcA(g_forwardTo, window, message, wParam, lParam);
}

class WindowData : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessReset();
        g_messages.clear();
        g_receivers.clear();
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = PlainProc;
        wc.cbWndExtra = DLGWINDOWEXTRA;
        wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
        wc.lpszClassName = "Plain";
        ASSERT_NE(RegisterClassExA(&wc), 0);
    }
    void TearDown() override { HeadlessReset(); }

    static HWND Top(DWORD style = WS_OVERLAPPED | WS_SYSMENU, DWORD exStyle = 0) {
        return CreateWindowExA(exStyle, "Plain", "top", style, 100, 50, 300, 200, nullptr, nullptr,
                               nullptr, nullptr);
    }
    static HWND Child(HWND parent, const char* cls, DWORD style, int x, int y, int w, int h,
                      DWORD exStyle = 0) {
        return CreateWindowExA(exStyle, cls, "", WS_CHILD | style, x, y, w, h, parent, (HMENU)1,
                               nullptr, nullptr);
    }
};

TEST_F(WindowData, WindowLongsKeepWhatIsSetAndReturnThePreviousValue) {
    HWND window = Top();
    struct Case {
        int index;
        LONG_PTR value;
    } cases[] = {
        {GWL_ID, 77},
        {GWL_USERDATA, (LONG_PTR)0x1234567890LL},
        {GWL_HINSTANCE, (LONG_PTR)GetModuleHandleA(nullptr)},
        {GWL_EXSTYLE, WS_EX_CLIENTEDGE},
        {GWL_STYLE, (LONG_PTR)(WS_POPUP | WS_BORDER)},
        {0, (LONG_PTR)0x0102030405060708LL}, // pointer-sized in the extra bytes
        {4, 99},
        {DLGWINDOWEXTRA - 4, -5},
    };
    for (const Case& c : cases) {
        LONG_PTR before = GetWindowLongA(window, c.index);
        EXPECT_EQ(SetWindowLongA(window, c.index, c.value), before) << c.index;
        EXPECT_EQ(GetWindowLongA(window, c.index), c.value) << c.index;
    }
    EXPECT_EQ(GetWindowLongA(window, 0), (LONG_PTR)0x0102030405060708LL)
        << "offsets 0 and 4 hold values of their own";
    for (int outside : {DLGWINDOWEXTRA - 3, DLGWINDOWEXTRA, 1000, -3, -100}) {
        EXPECT_EQ(SetWindowLongA(window, outside, 5), 0) << outside;
        EXPECT_EQ(GetWindowLongA(window, outside), 0) << outside;
    }
}

TEST_F(WindowData, SubclassReturnsThePreviousProcedureAndCanSwallowOrForward) {
    HWND top = Top();
    HWND edit = Child(top, "Edit", 0, 0, 0, 50, 20);
    g_previous = (WNDPROC)SetWindowLongA(edit, GWL_WNDPROC, (LONG_PTR)SwallowCharsProc);
    EXPECT_EQ(g_previous, EditWndProc) << "the class's own procedure";
    EXPECT_EQ(GetWindowLongA(edit, GWL_WNDPROC), (LONG_PTR)SwallowCharsProc);
    g_swallowed = 0;
    SendMessageA(edit, WM_CHAR, 'a', 1);
    EXPECT_EQ(g_swallowed, 1);
    SetWindowTextA(edit, "through");
    char text[16];
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "through") << "what the subclass leaves reaches the class";

    // A second subclass on top of the first: both run, newest first.
    g_forwardTo = (WNDPROC)SetWindowLongA(edit, GWL_WNDPROC, (LONG_PTR)UpperCaseProc);
    EXPECT_EQ(g_forwardTo, SwallowCharsProc);
    SetWindowTextA(edit, "mixed Case");
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "MIXED CASE");
    SendMessageA(edit, WM_CHAR, 'b', 1);
    EXPECT_EQ(g_swallowed, 2);
    EXPECT_EQ(SetWindowLongA(edit, GWL_WNDPROC, 0), 0) << "no window without a procedure";
    EXPECT_EQ(GetWindowLongA(edit, GWL_WNDPROC), (LONG_PTR)UpperCaseProc);
}

TEST_F(WindowData, GetTextCopiesWhatFitsAndAlwaysTerminates) {
    HWND window = Top();
    SetWindowTextA(window, "Hello");
    struct Case {
        WPARAM size;
        LRESULT copied;
        const char* text;
    } cases[] = {
        {0, 0, "########"}, {1, 0, ""},      {2, 1, "H"},
        {5, 4, "Hell"},     {6, 5, "Hello"}, {9, 5, "Hello"},
    };
    for (const Case& c : cases) {
        char buffer[9] = "########";
        EXPECT_EQ(SendMessageA(window, WM_GETTEXT, c.size, (LPARAM)buffer), c.copied) << c.size;
        EXPECT_STREQ(buffer, c.text) << c.size;
    }
    EXPECT_EQ(SendMessageA(window, WM_GETTEXT, 10, 0), 0) << "no buffer";
    EXPECT_EQ(GetWindowTextLengthA(window), 5);
    char buffer[3] = "##";
    EXPECT_EQ(GetWindowTextA(window, buffer, 3), 2);
    EXPECT_STREQ(buffer, "He");
    EXPECT_EQ(GetWindowTextA(window, buffer, 0), 0);

    // Code page text goes in and out unchanged; a NULL text empties.
    const char cyrillic[] = "\xc2\xfb\xf5\xee\xe4"; // "Выход" in Windows-1251
    EXPECT_TRUE(SetWindowTextA(window, cyrillic));
    char out[16];
    EXPECT_EQ(GetWindowTextA(window, out, sizeof out), 5);
    EXPECT_STREQ(out, cyrillic);
    EXPECT_TRUE(SetWindowTextA(window, nullptr));
    EXPECT_EQ(GetWindowTextLengthA(window), 0);
    EXPECT_EQ(HeadlessWindow(window).title, "");
}

TEST_F(WindowData, ShowWindowReturnsThePreviousVisibilityAndSetsTheIconicState) {
    HWND window = Top();
    struct Step {
        int command;
        BOOL returned;
        bool visible;
        bool iconic;
    } steps[] = {
        {SW_HIDE, FALSE, false, false},
        {SW_SHOWNORMAL, FALSE, true, false},
        {SW_SHOW, TRUE, true, false},
        {SW_SHOWMINIMIZED, TRUE, true, true},
        {SW_SHOWNA, TRUE, true, true},
        {SW_RESTORE, TRUE, true, false},
        {SW_MINIMIZE, TRUE, true, true},
        {SW_HIDE, TRUE, false, true},
        {SW_SHOWMINNOACTIVE, FALSE, true, true},
        {SW_SHOWNORMAL, TRUE, true, false},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(ShowWindow(window, s.command), s.returned) << s.command;
        EXPECT_EQ(IsWindowVisible(window) != FALSE, s.visible) << s.command;
        EXPECT_EQ(IsIconic(window) != FALSE, s.iconic) << s.command;
        EXPECT_EQ((GetWindowLongA(window, GWL_STYLE) & WS_MINIMIZE) != 0, s.iconic);
        EXPECT_EQ(HeadlessWindow(window).visible, s.visible) << "the display was told";
        EXPECT_EQ(HeadlessWindow(window).minimized, s.iconic);
    }
    EXPECT_EQ(ShowWindow(window, 99), FALSE) << "no such command";
}

TEST_F(WindowData, ChildIsVisibleOnlyWhenItsAncestorsAre) {
    HWND top = Top();
    HWND child = Child(top, "Plain", WS_VISIBLE, 0, 0, 10, 10);
    HWND grandchild = Child(child, "Plain", WS_VISIBLE, 0, 0, 5, 5);
    EXPECT_FALSE(IsWindowVisible(grandchild));
    ShowWindow(top, SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(grandchild));
    ShowWindow(child, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(grandchild));
    EXPECT_NE(GetWindowLongA(grandchild, GWL_STYLE) & WS_VISIBLE, 0) << "its own flag stays";
}

TEST_F(WindowData, EnableWindowReturnsWhetherItWasDisabled) {
    HWND window = Top();
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_FALSE(EnableWindow(window, FALSE));
    EXPECT_FALSE(IsWindowEnabled(window));
    EXPECT_TRUE(EnableWindow(window, FALSE));
    EXPECT_TRUE(EnableWindow(window, TRUE));
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_FALSE(EnableWindow(window, TRUE));
}

TEST_F(WindowData, FramesLieAroundTheClientArea) {
    // Caption 19, fixed frame 3, thick frame 4, client edge 2, border 1 at 96 dpi.
    struct Case {
        DWORD style, exStyle;
        RECT client; // in screen coordinates for a window at 100,50 of 300 x 200
    } cases[] = {
        {WS_OVERLAPPED | WS_SYSMENU, 0, {103, 72, 397, 247}},
        {WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, {103, 72, 397, 247}},
        {WS_POPUP | WS_THICKFRAME, 0, {104, 54, 396, 246}},
        {WS_POPUP | WS_BORDER, 0, {101, 51, 399, 249}},
        {WS_POPUP, WS_EX_CLIENTEDGE, {102, 52, 398, 248}},
        {WS_POPUP, 0, {100, 50, 400, 250}},
    };
    for (const Case& c : cases) {
        HWND window = Top(c.style, c.exStyle);
        RECT outer, client;
        GetWindowRect(window, &outer);
        GetClientRect(window, &client);
        EXPECT_EQ(outer.left, 100);
        EXPECT_EQ(outer.bottom, 250);
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        EXPECT_EQ(origin.x, c.client.left) << c.style;
        EXPECT_EQ(origin.y, c.client.top) << c.style;
        EXPECT_EQ(client.right, c.client.right - c.client.left) << c.style;
        EXPECT_EQ(client.bottom, c.client.bottom - c.client.top) << c.style;
        RECT adjusted = c.client;
        AdjustWindowRectEx(&adjusted, (DWORD)GetWindowLongA(window, GWL_STYLE), FALSE, c.exStyle);
        EXPECT_EQ(adjusted.left, outer.left);
        EXPECT_EQ(adjusted.top, outer.top);
        EXPECT_EQ(adjusted.right, outer.right);
        EXPECT_EQ(adjusted.bottom, outer.bottom);
        DestroyWindow(window);
    }
}

TEST_F(WindowData, ChildPositionsAreInTheParentsClientArea) {
    HWND top = Top(WS_POPUP);
    HWND child = Child(top, "Plain", WS_VISIBLE, 10, 20, 40, 30, WS_EX_CLIENTEDGE);
    RECT rect;
    GetWindowRect(child, &rect);
    EXPECT_EQ(rect.left, 110);
    EXPECT_EQ(rect.top, 70);
    EXPECT_EQ(rect.right, 150);
    EXPECT_EQ(rect.bottom, 100);
    GetClientRect(child, &rect);
    EXPECT_EQ(rect.right, 36);
    EXPECT_EQ(rect.bottom, 26);
    POINT point{0, 0};
    ClientToScreen(child, &point);
    EXPECT_EQ(point.x, 112);
    EXPECT_EQ(point.y, 72);
    ScreenToClient(top, &point);
    EXPECT_EQ(point.x, 12);
    EXPECT_EQ(point.y, 22);

    g_messages.clear();
    EXPECT_TRUE(MoveWindow(child, 0, 0, 20, 20, TRUE));
    EXPECT_EQ(g_messages, (std::vector<UINT>{WM_MOVE, WM_SIZE}));
    GetWindowRect(child, &rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.right, 120);
    g_messages.clear();
    EXPECT_TRUE(MoveWindow(child, 0, 0, 20, 20, TRUE));
    EXPECT_TRUE(g_messages.empty()) << "nothing changed";
}

TEST_F(WindowData, InvalidWindowsArePaintedParentFirstAndThenValid) {
    HWND top = Top(WS_POPUP | WS_VISIBLE);
    HWND child = Child(top, "Plain", WS_VISIBLE, 10, 10, 20, 20);
    HWND hidden = Child(top, "Plain", 0, 50, 50, 20, 20);
    EXPECT_FALSE(HeadlessPump());
    g_messages.clear();
    g_receivers.clear();
    RECT area{0, 0, 15, 15}; // touches the child's corner, not the hidden one
    InvalidateRect(top, &area, TRUE);
    InvalidateRect(hidden, nullptr, TRUE);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(child, &update, FALSE));
    EXPECT_EQ(update.right, 5);
    EXPECT_EQ(update.bottom, 5);
    EXPECT_TRUE(UpdateWindow(top));
    std::vector<HWND> painted;
    for (size_t i = 0; i < g_messages.size(); ++i)
        if (g_messages[i] == WM_PAINT)
            painted.push_back(g_receivers[i]);
    EXPECT_EQ(painted, (std::vector<HWND>{top, child}));
    EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE));
    EXPECT_FALSE(GetUpdateRect(child, nullptr, FALSE));
    g_messages.clear();
    EXPECT_TRUE(UpdateWindow(top));
    EXPECT_TRUE(g_messages.empty()) << "nothing was left to paint";

    // Through the queue: WM_PAINT comes once the window is shown.
    ShowWindow(hidden, SW_SHOW);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, (UINT)WM_PAINT);
    EXPECT_EQ(msg.hwnd, hidden);
    DispatchMessageA(&msg);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(WindowData, BeginPaintAsksForTheBackgroundAndValidates) {
    HWND window = Top(WS_POPUP | WS_VISIBLE);
    EXPECT_FALSE(HeadlessPump());
    InvalidateRect(window, nullptr, TRUE);
    g_messages.clear();
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GdiWindowOfDC(dc), window);
    EXPECT_EQ(g_messages, (std::vector<UINT>{WM_ERASEBKGND}));
    EXPECT_FALSE(paint.fErase) << "the class brush erased it";
    EXPECT_EQ(paint.rcPaint.right, 300);
    EXPECT_EQ(paint.rcPaint.bottom, 200);
    EXPECT_TRUE(EndPaint(window, &paint));
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
}

TEST_F(WindowData, DefaultControlColoursAreTheSystemColours) {
    HWND top = Top();
    HDC dc = GetDC(top);
    ASSERT_NE(dc, nullptr);
    struct Case {
        UINT message;
        int background;
    } cases[] = {
        {WM_CTLCOLOREDIT, COLOR_WINDOW},    {WM_CTLCOLORLISTBOX, COLOR_WINDOW},
        {WM_CTLCOLORSTATIC, COLOR_BTNFACE}, {WM_CTLCOLORBTN, COLOR_BTNFACE},
        {WM_CTLCOLORDLG, COLOR_BTNFACE},
    };
    for (const Case& c : cases) {
        SetTextColor(dc, RGB(1, 2, 3));
        SetBkColor(dc, RGB(4, 5, 6));
        LRESULT brush = DefWindowProcA(top, c.message, (WPARAM)dc, (LPARAM)top);
        EXPECT_EQ(brush, (LRESULT)GetSysColorBrush(c.background)) << c.message;
        EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT)) << c.message;
        EXPECT_EQ(GetBkColor(dc), GetSysColor(c.background)) << c.message;
    }
    EXPECT_EQ(ReleaseDC(top, dc), 1);
}

TEST_F(WindowData, FontsAreKeptPerWindow) {
    HWND top = Top();
    HWND a = Child(top, "Static", 0, 0, 0, 5, 5);
    HWND b = Child(top, "Static", 0, 0, 0, 5, 5);
    HFONT font = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    EXPECT_EQ(SendMessageA(a, WM_GETFONT, 0, 0), 0);
    SendMessageA(a, WM_SETFONT, (WPARAM)font, FALSE);
    EXPECT_EQ(SendMessageA(a, WM_GETFONT, 0, 0), (LRESULT)font);
    EXPECT_EQ(SendMessageA(b, WM_GETFONT, 0, 0), 0);
}

TEST_F(WindowData, DefaultHitTestFindsClientCaptionAndFrame) {
    HWND window = Top(WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
    struct Case {
        int x, y;
        LRESULT hit;
    } cases[] = {
        {200, 150, HTCLIENT},
        {200, 60, HTCAPTION},
        {101, 150, HTBORDER},
        {99, 150, HTNOWHERE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)), c.hit)
            << c.x << "," << c.y;
}

TEST_F(WindowData, WindowDeviceContextsFollowTheDisplay) {
    HWND window = Top();
    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GdiWindowOfDC(dc), window);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    EXPECT_EQ(ReleaseDC(nullptr, dc), 0) << "not the screen's";
    EXPECT_EQ(ReleaseDC(window, dc), 1);
    EXPECT_EQ(ReleaseDC(window, dc), 0) << "already released";
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 1280);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);

    DestroyWindow(window);
    EXPECT_FALSE(HeadlessSetDpi(0));
    EXPECT_TRUE(HeadlessSetDpi(120));
    screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 120);
    ReleaseDC(nullptr, screen);
    Top();
    EXPECT_FALSE(HeadlessSetDpi(144)) << "not while windows exist";
}

TEST_F(WindowData, ClipboardHoldsTextBetweenOpenAndClose) {
    HWND window = Top();
    HGLOBAL refused = GlobalAlloc(GMEM_MOVEABLE, 4);
    EXPECT_EQ(SetClipboardData(CF_TEXT, refused), nullptr) << "not open";
    GlobalFree(refused); // still the caller's
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_FALSE(CloseClipboard());
    ASSERT_TRUE(OpenClipboard(window));
    EXPECT_FALSE(OpenClipboard(window)) << "already open";
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));

    // A block without a terminating zero gives the text up to its end.
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 5);
    memcpy(GlobalLock(block), "7,125", 5);
    GlobalUnlock(block);
    EXPECT_EQ(SetClipboardData(CF_TEXT, block), block);
    EXPECT_EQ(SetClipboardData(2, block), nullptr) << "text only";
    EXPECT_TRUE(CloseClipboard());
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr) << "not open";

    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_TEXT);
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(data)), "7,125");
    GlobalUnlock(data);
    EXPECT_TRUE(CloseClipboard());
}

TEST_F(WindowData, WinHelpIsRecordedAndReported) {
    std::vector<UINT> hooked;
    SetWinHelpHook([&](const WinHelpCall& call) { hooked.push_back(call.command); });
    HWND window = Top();
    EXPECT_TRUE(WinHelpA(window, "trap.hlp", HELP_CONTEXT, 1));
    EXPECT_TRUE(WinHelpA(window, nullptr, HELP_QUIT, 0));
    SetWinHelpHook(nullptr);
    const std::vector<WinHelpCall>& calls = WinHelpCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].window, window);
    EXPECT_EQ(calls[0].helpFile, "trap.hlp");
    EXPECT_EQ(calls[0].command, (UINT)HELP_CONTEXT);
    EXPECT_EQ(calls[0].data, 1u);
    EXPECT_EQ(calls[1].helpFile, "");
    EXPECT_EQ(calls[1].command, (UINT)HELP_QUIT);
    EXPECT_EQ(hooked, (std::vector<UINT>{HELP_CONTEXT, HELP_QUIT}));
    HeadlessReset();
    EXPECT_TRUE(WinHelpCalls().empty());
}

TEST_F(WindowData, IconsAndCursorsComeFromTheSystemOrTheResources) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HICON application = LoadIconA(nullptr, IDI_APPLICATION);
    EXPECT_NE(application, nullptr);
    EXPECT_EQ(LoadIconA(nullptr, IDI_APPLICATION), application) << "shared";
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(5)), nullptr);
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(IDI_MAIN)), nullptr) << "not a system icon";

    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
    ASSERT_NE(icon, nullptr);
    int width = 0, height = 0;
    std::vector<BYTE> image;
    ASSERT_TRUE(GetIconImage(icon, &width, &height, &image));
    EXPECT_EQ(width, 32);
    EXPECT_EQ(height, 32);
    EXPECT_EQ(image.size(), 744u);
    EXPECT_EQ(LoadIconA(instance, MAKEINTRESOURCEA(999)), nullptr);
    EXPECT_EQ(LoadImageA(instance, "Trap", IMAGE_ICON, 16, 16, 0), nullptr);
    EXPECT_NE(LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON, 16, 16, 0), nullptr);
    EXPECT_EQ(LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAIN), IMAGE_BITMAP, 0, 0, 0), nullptr);
}

} // namespace
