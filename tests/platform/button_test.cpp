// Push buttons and group boxes, driven by injected mouse and keyboard input and by their
// messages: what the parent is told, and in which order; the main window's Exit button and
// input frame.
#include "platform/headless/headless.h"
#include "platform/window_internal.h"
#include "platform/winapi.h"
#include "res/resource.h"
#include "tests/support/message_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

using Record = MessageRecord;

std::vector<Record> g_log;         // what the parent and the subclassed button received
WNDPROC g_buttonProc = nullptr;    // the class's procedure behind the subclass
LRESULT g_colorAnswer = 0;         // what the parent answers to WM_CTLCOLOR*; 0: the default
std::vector<HGDIOBJ> g_colorFonts; // the font in the DC whenever the parent was asked
std::vector<DWORD> g_colorDcTypes; // and the kind of object the DC was

bool Watched(UINT message) {
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_CAPTURECHANGED:
    case WM_COMMAND:
    case BM_SETSTATE:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_LBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (Watched(message))
        g_log.push_back({window, message, wParam, lParam});
    if (message == WM_CTLCOLORBTN || message == WM_CTLCOLORSTATIC) {
        g_colorFonts.push_back(GetCurrentObject((HDC)wParam, OBJ_FONT));
        g_colorDcTypes.push_back(GetObjectType((HGDIOBJ)wParam));
        if (g_colorAnswer)
            return g_colorAnswer;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK ButtonSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (Watched(message))
        g_log.push_back({window, message, wParam, lParam});
    return CallWindowProcA(g_buttonProc, window, message, wParam, lParam);
}

// Only the records of these messages, in order.
std::vector<Record> Only(std::initializer_list<UINT> messages) {
    return OnlyMessages(g_log, messages);
}

std::vector<Record> Commands() {
    return Only({WM_COMMAND});
}

constexpr int kId = 42;

// A frameless parent at 100,100 (400 x 300) and a push button at 20,30 (80 x 24) in it:
// on the screen the button covers 120..199 x 130..153.
class Button : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessReset();
        g_log.clear();
        g_colorFonts.clear();
        g_colorAnswer = 0;
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = ParentProc;
        wc.lpszClassName = "Recorder";
        ASSERT_NE(RegisterClassExA(&wc), 0);
        parent_ = CreateWindowExA(0, "Recorder", "", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300,
                                  nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
        button_ = Make(BS_PUSHBUTTON, kId);
        EXPECT_FALSE(HeadlessPump());
        ASSERT_EQ(GetFocus(), parent_);
        g_log.clear();
        g_colorFonts.clear();
    }
    void TearDown() override { HeadlessReset(); }

    HWND Make(DWORD style, int id, int x = 20, int y = 30) {
        HWND button = CreateWindowExA(0, "Button", "OK", WS_CHILD | WS_VISIBLE | style, x, y, 80,
                                      24, parent_, (HMENU)(INT_PTR)id, nullptr, nullptr);
        EXPECT_NE(button, nullptr);
        g_buttonProc = (WNDPROC)SetWindowLongA(button, GWL_WNDPROC, (LONG_PTR)ButtonSubclass);
        return button;
    }

    Record Clicked(HWND button, int id = kId) const {
        return {parent_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button};
    }

    bool Pushed(HWND button) const {
        return (SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    }

    HWND parent_ = nullptr;
    HWND button_ = nullptr;
};

TEST_F(Button, AClickTakesFocusAndCaptureAndTellsTheParent) {
    HeadlessMouseDown(150, 140);
    EXPECT_FALSE(HeadlessPump());
    EXPECT_EQ(GetCapture(), button_);
    EXPECT_EQ(GetFocus(), button_);
    EXPECT_EQ(SendMessageA(button_, BM_GETSTATE, 0, 0), BST_PUSHED | BST_FOCUS);
    EXPECT_TRUE(Commands().empty());

    HeadlessMouseUp(150, 140);
    EXPECT_FALSE(HeadlessPump());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(SendMessageA(button_, BM_GETSTATE, 0, 0), BST_FOCUS);

    const std::vector<Record> expected = {
        {parent_, WM_KILLFOCUS, (WPARAM)button_, 0},
        {button_, WM_SETFOCUS, (WPARAM)parent_, 0},
        {button_, BM_SETSTATE, TRUE, 0},
        {button_, BM_SETSTATE, FALSE, 0},
        {button_, WM_CAPTURECHANGED, 0, 0},
        Clicked(button_),
    };
    EXPECT_EQ(Only({WM_SETFOCUS, WM_KILLFOCUS, BM_SETSTATE, WM_CAPTURECHANGED, WM_COMMAND}),
              expected);
}

// Mouse gestures over the button (screen 120..199 x 130..153): whether it shows pressed
// after each step and whether the parent hears of a click at the end.
TEST_F(Button, MouseGesturesClickOnlyWhenReleasedOverTheButton) {
    enum Kind { Down, Move, Up };
    struct Step {
        Kind kind;
        int x, y;
        bool pushed; // afterwards
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
        bool clicked;
    } cases[] = {
        {"click inside", {{Down, 150, 140, true}, {Up, 150, 140, false}}, true},
        {"click at the corners", {{Down, 120, 130, true}, {Up, 199, 153, false}}, true},
        {"release outside", {{Down, 150, 140, true}, {Up, 250, 140, false}}, false},
        {"release just past the edge", {{Down, 150, 140, true}, {Up, 200, 140, false}}, false},
        {"leave, come back, release inside",
         {{Down, 150, 140, true},
          {Move, 150, 200, false},
          {Move, 151, 141, true},
          {Up, 151, 141, false}},
         true},
        {"leave and release outside",
         {{Down, 150, 140, true}, {Move, 300, 300, false}, {Up, 300, 300, false}},
         false},
        {"press beside it, release over it",
         {{Down, 250, 140, false}, {Up, 150, 140, false}},
         false},
        {"move over it without pressing",
         {{Move, 150, 140, false}, {Move, 160, 145, false}},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetFocus(parent_);
        EXPECT_FALSE(HeadlessPump());
        g_log.clear();
        for (size_t i = 0; i < c.steps.size(); ++i) {
            const Step& s = c.steps[i];
            if (s.kind == Down)
                HeadlessMouseDown(s.x, s.y);
            else if (s.kind == Move)
                HeadlessMouseMove(s.x, s.y);
            else
                HeadlessMouseUp(s.x, s.y);
            EXPECT_FALSE(HeadlessPump());
            EXPECT_EQ(Pushed(button_), s.pushed) << "step " << i;
        }
        EXPECT_EQ(GetCapture(), nullptr);
        std::vector<Record> expected;
        if (c.clicked)
            expected.push_back(Clicked(button_));
        EXPECT_EQ(Commands(), expected);
    }
}

TEST_F(Button, SpaceClicksOnKeyUp) {
    SetFocus(button_);
    g_log.clear();
    HeadlessKeyDown(VK_SPACE);
    HeadlessKeyDown(VK_SPACE); // the key repeats
    EXPECT_FALSE(HeadlessPump());
    EXPECT_TRUE(Pushed(button_));
    EXPECT_TRUE(Commands().empty());
    HeadlessKeyUp(VK_SPACE);
    EXPECT_FALSE(HeadlessPump());
    EXPECT_FALSE(Pushed(button_));
    EXPECT_EQ(Commands(), std::vector<Record>{Clicked(button_)});

    // Other keys do nothing; Enter is the dialog manager's business, not the button's.
    g_log.clear();
    for (int key : {VK_RETURN, VK_ESCAPE, VK_TAB, (int)'A'})
        HeadlessKeyPress(key);
    EXPECT_FALSE(HeadlessPump());
    EXPECT_TRUE(Commands().empty());
    EXPECT_FALSE(Pushed(button_));
}

TEST_F(Button, APressThatLosesTheFocusOrTheMouseEndsWithoutAClick) {
    // Space down, the focus moves away, space up somewhere else.
    SetFocus(button_);
    HeadlessKeyDown(VK_SPACE);
    EXPECT_FALSE(HeadlessPump());
    ASSERT_TRUE(Pushed(button_));
    SetFocus(parent_);
    EXPECT_FALSE(Pushed(button_));
    HeadlessKeyUp(VK_SPACE);
    SetFocus(button_);
    HeadlessKeyUp(VK_SPACE); // a stray key up reaching the button later
    EXPECT_FALSE(HeadlessPump());
    EXPECT_TRUE(Commands().empty());

    // The mouse is pressed on it, then another window takes the capture.
    HeadlessMouseDown(150, 140);
    EXPECT_FALSE(HeadlessPump());
    ASSERT_TRUE(Pushed(button_));
    SetCapture(parent_);
    EXPECT_FALSE(Pushed(button_));
    ReleaseCapture();
    HeadlessMouseUp(150, 140);
    EXPECT_FALSE(HeadlessPump());
    EXPECT_TRUE(Commands().empty());
    EXPECT_FALSE(Pushed(button_));
}

TEST_F(Button, SpaceDuringAMousePressMakesNoSecondClickAndKeepsNoCapture) {
    HeadlessMouseDown(150, 140);
    HeadlessKeyPress(VK_SPACE);
    HeadlessMouseUp(150, 140);
    EXPECT_FALSE(HeadlessPump());
    EXPECT_EQ(Commands(), std::vector<Record>{Clicked(button_)});
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(Pushed(button_));
}

TEST_F(Button, ADisabledButtonSendsNothing) {
    EnableWindow(button_, FALSE);
    EXPECT_FALSE(HeadlessPump());
    g_log.clear();
    HeadlessClick(150, 140);
    EXPECT_FALSE(HeadlessPump());
    SendMessageA(button_, BM_CLICK, 0, 0);
    SendMessageA(button_, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(button_, WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(GetFocus(), parent_);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(Pushed(button_));

    // Disabled while the mouse holds it: released, and no click.
    EnableWindow(button_, TRUE);
    HeadlessMouseDown(150, 140);
    EXPECT_FALSE(HeadlessPump());
    ASSERT_TRUE(Pushed(button_));
    EnableWindow(button_, FALSE);
    EXPECT_FALSE(Pushed(button_));
    EXPECT_EQ(GetCapture(), nullptr);
    HeadlessMouseUp(150, 140);
    EXPECT_FALSE(HeadlessPump());
    EXPECT_TRUE(Commands().empty());
}

TEST_F(Button, BmClickIsAClickWithTheMouse) {
    EXPECT_EQ(SendMessageA(button_, BM_CLICK, 0, 0), 0);
    EXPECT_EQ(Commands(), std::vector<Record>{Clicked(button_)});
    EXPECT_EQ(GetFocus(), button_);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(SendMessageA(button_, BM_GETSTATE, 0, 0), BST_FOCUS);
    // The button receives the mouse going down and up, so a subclass sees them.
    EXPECT_EQ(Only({BM_SETSTATE}).size(), 2u);

    HWND other = Make(BS_DEFPUSHBUTTON, 7, 20, 100);
    g_log.clear();
    SendMessageA(other, BM_CLICK, 0, 0);
    EXPECT_EQ(Commands(), std::vector<Record>{Clicked(other, 7)});
    EXPECT_EQ(GetFocus(), other);
}

TEST_F(Button, CheckAndStateAreAnsweredAsForAPushButton) {
    struct Case {
        const char* what;
        DWORD style;
    } cases[] = {
        {"push button", BS_PUSHBUTTON},
        {"default push button", BS_DEFPUSHBUTTON},
        {"group box", BS_GROUPBOX},
    };
    int id = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HWND button = Make(c.style, ++id, 20, 100);
        g_log.clear();
        EXPECT_EQ(SendMessageA(button, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_EQ(SendMessageA(button, BM_SETCHECK, BST_CHECKED, 0), 0);
        EXPECT_EQ(SendMessageA(button, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), 0);

        EXPECT_EQ(SendMessageA(button, BM_SETSTATE, TRUE, 0), 0);
        EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), BST_PUSHED);
        EXPECT_EQ(SendMessageA(button, BM_SETSTATE, 5, 0), 0); // any non-zero value
        EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), BST_PUSHED);
        EXPECT_EQ(SendMessageA(button, BM_SETSTATE, FALSE, 0), 0);
        EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), 0);

        // The focus shows in the state, beside the pushed flag.
        SetFocus(button);
        SendMessageA(button, BM_SETSTATE, TRUE, 0);
        EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), BST_PUSHED | BST_FOCUS);
        SendMessageA(button, BM_SETSTATE, FALSE, 0);
        SetFocus(parent_);
        EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), 0);
        EXPECT_FALSE(HeadlessPump());
        // Pushing it by message is no click.
        EXPECT_TRUE(Commands().empty());
        DestroyWindow(button);
    }
}

TEST_F(Button, DialogCodesAndHitTests) {
    struct Case {
        const char* what;
        DWORD style;
        LRESULT dialogCode;
        LRESULT hit; // at the middle of the control
    } cases[] = {
        {"push button", BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON, HTCLIENT},
        {"default push button", BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON, HTCLIENT},
        {"group box", BS_GROUPBOX, DLGC_STATIC, HTTRANSPARENT},
    };
    int id = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HWND button = Make(c.style, ++id, 20, 100);
        EXPECT_EQ(SendMessageA(button, WM_GETDLGCODE, 0, 0), c.dialogCode);
        EXPECT_EQ(SendMessageA(button, WM_NCHITTEST, 0, MAKELPARAM(160, 212)), c.hit);
        DestroyWindow(button);
    }
}

TEST_F(Button, AGroupBoxIsNeverFocusedOrClickedAndLetsTheMouseThrough) {
    HWND group = CreateWindowExA(0, "Button", "Frame", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 10, 80,
                                 300, 150, parent_, (HMENU)(INT_PTR)5, nullptr, nullptr);
    // A button inside the frame, created after it and so beneath it.
    HWND inside = Make(BS_PUSHBUTTON, kId, 40, 120);
    EXPECT_FALSE(HeadlessPump());
    g_log.clear();

    HeadlessClick(250, 300); // on the frame, away from the button
    EXPECT_FALSE(HeadlessPump());
    EXPECT_EQ(GetFocus(), parent_);
    EXPECT_EQ(Only({WM_LBUTTONDOWN}),
              (std::vector<Record>{{parent_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 200)}}));

    HeadlessClick(150, 230); // on the button within the frame
    EXPECT_FALSE(HeadlessPump());
    EXPECT_EQ(GetFocus(), inside);
    EXPECT_EQ(Commands(), std::vector<Record>{Clicked(inside)});

    // Clicked by message or by key, it does nothing; focused by hand, it does not refuse.
    g_log.clear();
    SendMessageA(group, BM_CLICK, 0, 0);
    EXPECT_EQ(GetFocus(), inside);
    SetFocus(group);
    EXPECT_EQ(GetFocus(), group);
    HeadlessKeyPress(VK_SPACE);
    EXPECT_FALSE(HeadlessPump());
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

// Painting asks the parent for colours with the control's font already in the DC: a
// push button with WM_CTLCOLORBTN, a group box with WM_CTLCOLORSTATIC. The answer may be
// a brush, a COLOR_x + 1 value, or nothing.
TEST_F(Button, PaintingAsksTheParentForColours) {
    HFONT font = (HFONT)GetStockObject(ANSI_VAR_FONT);
    struct Case {
        const char* what;
        DWORD style;
        UINT request;
        LRESULT answer;
    } cases[] = {
        {"push button, default answer", BS_PUSHBUTTON, WM_CTLCOLORBTN, 0},
        {"default push button, a brush", BS_DEFPUSHBUTTON, WM_CTLCOLORBTN,
         (LRESULT)GetStockObject(WHITE_BRUSH)},
        {"group box, COLOR_BTNFACE + 1", BS_GROUPBOX, WM_CTLCOLORSTATIC, COLOR_BTNFACE + 1},
        {"group box, default answer", BS_GROUPBOX, WM_CTLCOLORSTATIC, 0},
        {"group box, a brush", BS_GROUPBOX, WM_CTLCOLORSTATIC,
         (LRESULT)GetStockObject(WHITE_BRUSH)},
    };
    int id = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HWND button = Make(c.style, ++id, 20, 100);
        SendMessageA(button, WM_SETFONT, (WPARAM)font, FALSE);
        SetFocus(button);
        EXPECT_FALSE(HeadlessPump());
        g_colorAnswer = c.answer;
        g_log.clear();
        g_colorFonts.clear();
        g_colorDcTypes.clear();
        InvalidateRect(button, nullptr, TRUE);
        UpdateWindow(button);
        std::vector<Record> requests = Only({WM_CTLCOLORBTN, WM_CTLCOLORSTATIC});
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].window, parent_);
        EXPECT_EQ(requests[0].message, c.request);
        EXPECT_EQ(g_colorDcTypes, std::vector<DWORD>{OBJ_DC});
        EXPECT_EQ(requests[0].lParam, (LPARAM)button);
        EXPECT_EQ(g_colorFonts, std::vector<HGDIOBJ>{font});
        EXPECT_FALSE(GetUpdateRect(button, nullptr, FALSE));
        g_colorAnswer = 0;
        DestroyWindow(button);
    }
}

LRESULT CALLBACK DestroyingParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORBTN || message == WM_CTLCOLORSTATIC) {
        DestroyWindow((HWND)lParam);
        return COLOR_BTNFACE + 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(Button, AControlDestroyedWhileItsParentChoosesColoursStopsPainting) {
    for (DWORD style : {BS_PUSHBUTTON, BS_GROUPBOX}) {
        HWND button = Make(style, 9, 20, 100);
        SendMessageA(button, WM_SETFONT, (WPARAM)GetStockObject(ANSI_VAR_FONT), FALSE);
        EXPECT_FALSE(HeadlessPump());
        SetWindowLongA(parent_, GWL_WNDPROC, (LONG_PTR)DestroyingParentProc);
        InvalidateRect(button, nullptr, TRUE);
        UpdateWindow(button);
        SetWindowLongA(parent_, GWL_WNDPROC, (LONG_PTR)ParentProc);
        EXPECT_FALSE(IsWindow(button)) << style;
    }
}

TEST_F(Button, FontTextAndRedraw) {
    HFONT font = (HFONT)GetStockObject(ANSI_VAR_FONT);
    EXPECT_EQ(SendMessageA(button_, WM_GETFONT, 0, 0), 0);
    SendMessageA(button_, WM_SETFONT, (WPARAM)font, FALSE);
    EXPECT_EQ(SendMessageA(button_, WM_GETFONT, 0, 0), (LRESULT)font);
    EXPECT_FALSE(GetUpdateRect(button_, nullptr, FALSE));
    SendMessageA(button_, WM_SETFONT, (WPARAM)font, TRUE);
    EXPECT_TRUE(GetUpdateRect(button_, nullptr, FALSE));
    EXPECT_FALSE(HeadlessPump());

    EXPECT_TRUE(SetWindowTextA(button_, "Cancel"));
    EXPECT_TRUE(GetUpdateRect(button_, nullptr, FALSE));
    char text[16];
    EXPECT_EQ(GetWindowTextA(button_, text, sizeof text), 6);
    EXPECT_STREQ(text, "Cancel");
}

// The main window's dialog: the Exit button, and the input frame that clicks pass through.
TEST(ButtonInDialog, ExitButtonClicksAndTheFrameLetsClicksReachTheDialog) {
    HeadlessReset();
    g_log.clear();
    g_colorAnswer = 0;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ParentProc;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = instance;
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = "Trap";
    ASSERT_NE(RegisterClassExA(&wc), 0);
    HWND dialog =
        CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, nullptr, (LPARAM)0);
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_SHOWNORMAL);
    EXPECT_FALSE(HeadlessPump());

    HWND exitButton = GetDlgItem(dialog, IDC_EXIT);
    ASSERT_NE(exitButton, nullptr);
    RECT rect;
    GetWindowRect(exitButton, &rect);
    g_log.clear();
    HeadlessClick((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    EXPECT_FALSE(HeadlessPump());
    std::vector<Record> commands = Only({WM_COMMAND});
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].window, dialog);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(IDC_EXIT, BN_CLICKED));
    EXPECT_EQ(commands[0].lParam, (LPARAM)exitButton);
    EXPECT_EQ(GetFocus(), exitButton); // even without WS_TABSTOP

    // A point inside the frame that no other control covers.
    std::vector<HWND> children = ChildWindows(dialog);
    HWND frame = nullptr;
    for (HWND child : children) {
        char name[16];
        GetClassNameA(child, name, sizeof name);
        if (std::string(name) == "Button" &&
            (GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX)
            frame = child;
    }
    ASSERT_NE(frame, nullptr);
    RECT frameRect;
    GetWindowRect(frame, &frameRect);
    POINT free{-1, -1};
    for (int y = frameRect.top + 20; y < frameRect.bottom - 4 && free.x < 0; y += 3) {
        for (int x = frameRect.left + 4; x < frameRect.right - 4 && free.x < 0; x += 3) {
            bool covered = false;
            for (HWND child : children) {
                RECT r;
                GetWindowRect(child, &r);
                if (child != frame && PtInRect(&r, POINT{x, y}))
                    covered = true;
            }
            if (!covered)
                free = POINT{x, y};
        }
    }
    ASSERT_GE(free.x, 0);
    POINT client = free;
    ScreenToClient(dialog, &client);
    g_log.clear();
    HeadlessClick(free.x, free.y);
    EXPECT_FALSE(HeadlessPump());
    EXPECT_EQ(Only({WM_LBUTTONDOWN}), (std::vector<Record>{{dialog, WM_LBUTTONDOWN, MK_LBUTTON,
                                                            MAKELPARAM(client.x, client.y)}}));
    EXPECT_TRUE(Only({WM_COMMAND}).empty());
    HeadlessReset();
}

} // namespace
