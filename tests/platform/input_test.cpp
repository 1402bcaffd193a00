// The mouse: which window it talks to, in which coordinates, with which key flags.
#include "platform/headless/headless.h"
#include "platform/winapi.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct MouseRecord {
    HWND window;
    UINT message;
    WPARAM keys;
    int x, y;
};

std::vector<MouseRecord> g_mouse;
std::vector<std::pair<HWND, WPARAM>> g_activations;

bool IsMouseMessage(UINT message) {
    return message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP;
}

LRESULT CALLBACK MouseProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsMouseMessage(message))
        g_mouse.push_back({window, message, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (message == WM_ACTIVATE)
        g_activations.push_back({window, wParam});
    return DefWindowProcA(window, message, wParam, lParam);
}

// A window that lets the mouse through to what lies beneath it.
LRESULT CALLBACK GhostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCHITTEST)
        return HTTRANSPARENT;
    return MouseProc(window, message, wParam, lParam);
}

class Input : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessReset();
        g_mouse.clear();
        g_activations.clear();
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = MouseProc;
        wc.lpszClassName = "Mouse";
        ASSERT_NE(RegisterClassExA(&wc), 0);
        wc.lpfnWndProc = GhostProc;
        wc.lpszClassName = "Ghost";
        ASSERT_NE(RegisterClassExA(&wc), 0);

        // A frameless window at 100,100 of 400 x 300; its children, topmost first.
        top_ = CreateWindowExA(0, "Mouse", "", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, nullptr,
                               nullptr, nullptr, nullptr);
        hidden_ = Child("Mouse", 0, 10, 10, 100, 50);
        disabled_ = Child("Mouse", WS_VISIBLE | WS_DISABLED, 200, 10, 100, 50);
        plain_ = Child("Mouse", WS_VISIBLE, 10, 10, 100, 50);
        groupBox_ = Child("Button", WS_VISIBLE | BS_GROUPBOX, 150, 100, 200, 150);
        underGroup_ = Child("Mouse", WS_VISIBLE, 200, 150, 100, 50);
        outer_ = Child("Mouse", WS_VISIBLE, 10, 100, 100, 100);
        inner_ = CreateWindowExA(WS_EX_CLIENTEDGE, "Mouse", "", WS_CHILD | WS_VISIBLE, 5, 5, 40, 40,
                                 outer_, nullptr, nullptr, nullptr);
        ghost_ = Child("Ghost", WS_VISIBLE, 10, 220, 100, 50);
        underGhost_ = Child("Mouse", WS_VISIBLE, 10, 220, 100, 50);
        ASSERT_NE(inner_, nullptr);
        EXPECT_FALSE(HeadlessPump());
        g_mouse.clear();
        g_activations.clear();
    }
    void TearDown() override { HeadlessReset(); }

    HWND Child(const char* cls, DWORD style, int x, int y, int w, int h) {
        return CreateWindowExA(0, cls, "", WS_CHILD | style, x, y, w, h, top_, nullptr, nullptr,
                               nullptr);
    }

    HWND top_, hidden_, disabled_, plain_, groupBox_, underGroup_, outer_, inner_, ghost_,
        underGhost_;
};

TEST_F(Input, ClicksGoToTheTopmostShownEnabledWindowInItsClientCoordinates) {
    struct Case {
        const char* what;
        int x, y; // screen
        HWND expected;
        int clientX, clientY;
    } cases[] = {
        {"a child over a hidden one", 150, 130, plain_, 40, 20},
        {"beneath a group box", 350, 275, underGroup_, 50, 25},
        {"in a group box, nothing beneath", 260, 210, top_, 160, 110},
        {"a disabled child lets it through", 350, 130, top_, 250, 30},
        {"a child of a child, inside its edge", 120, 210, inner_, 3, 3},
        {"beneath a window transparent to the mouse", 160, 340, underGhost_, 50, 20},
        {"the window itself", 450, 390, top_, 350, 290},
    };
    for (const Case& c : cases) {
        g_mouse.clear();
        HeadlessClick(c.x, c.y);
        EXPECT_FALSE(HeadlessPump());
        HWND expected = c.expected;
        ASSERT_EQ(g_mouse.size(), 3u) << c.what;
        EXPECT_EQ(g_mouse[0].message, (UINT)WM_MOUSEMOVE) << c.what;
        EXPECT_EQ(g_mouse[1].message, (UINT)WM_LBUTTONDOWN) << c.what;
        EXPECT_EQ(g_mouse[2].message, (UINT)WM_LBUTTONUP) << c.what;
        for (const MouseRecord& r : g_mouse) {
            EXPECT_EQ(r.window, expected) << c.what;
            EXPECT_EQ(r.x, c.clientX) << c.what;
            EXPECT_EQ(r.y, c.clientY) << c.what;
        }
    }
}

TEST_F(Input, NothingUnderThePointerGetsNothing) {
    HeadlessClick(20, 20);
    HeadlessMouseMove(1279, 1023);
    HeadlessClick(116, 206); // the sunken edge of inner_: its frame, not its client area
    EXPECT_FALSE(HeadlessPump());
    EXPECT_TRUE(g_mouse.empty());
}

TEST_F(Input, TheCaptureWindowGetsTheMouseAnywhere) {
    SetCapture(plain_);
    HeadlessMouseMove(20, 30);
    HeadlessMouseDown(450, 390);
    EXPECT_FALSE(HeadlessPump());
    ASSERT_EQ(g_mouse.size(), 2u);
    EXPECT_EQ(g_mouse[0].window, plain_);
    EXPECT_EQ(g_mouse[0].x, 20 - 110);
    EXPECT_EQ(g_mouse[0].y, 30 - 110);
    EXPECT_EQ(g_mouse[1].window, plain_);
    EXPECT_EQ(g_mouse[1].x, 340);
    ReleaseCapture();
    g_mouse.clear();
    HeadlessMouseUp(450, 390);
    EXPECT_FALSE(HeadlessPump());
    ASSERT_EQ(g_mouse.size(), 1u);
    EXPECT_EQ(g_mouse[0].window, top_);
}

TEST_F(Input, MouseMessagesCarryTheButtonsAndKeys) {
    HeadlessKeyDown(VK_SHIFT);
    HeadlessMouseDown(150, 130);
    HeadlessMouseMove(151, 130);
    HeadlessMouseDown(151, 130, MouseButton::Right);
    HeadlessMouseUp(151, 130);
    HeadlessMouseUp(151, 130, MouseButton::Right);
    HeadlessKeyUp(VK_SHIFT);
    HeadlessMouseMove(152, 130);
    EXPECT_FALSE(HeadlessPump());
    struct Expected {
        UINT message;
        WPARAM keys;
    } expected[] = {
        {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT},
        {WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT},
        {WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON | MK_SHIFT},
        {WM_LBUTTONUP, MK_RBUTTON | MK_SHIFT},
        {WM_RBUTTONUP, MK_SHIFT},
        {WM_MOUSEMOVE, 0},
    };
    ASSERT_EQ(g_mouse.size(), std::size(expected));
    for (size_t i = 0; i < g_mouse.size(); ++i) {
        EXPECT_EQ(g_mouse[i].message, expected[i].message) << i;
        EXPECT_EQ(g_mouse[i].keys, expected[i].keys) << i;
        EXPECT_EQ(g_mouse[i].window, plain_) << i;
    }
    EXPECT_GE(GetKeyState(VK_LBUTTON), 0);
}

TEST_F(Input, AClickIntoAnInactiveWindowActivatesItFirst) {
    HWND other = CreateWindowExA(0, "Mouse", "", WS_POPUP | WS_VISIBLE, 600, 600, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    EXPECT_FALSE(HeadlessPump());
    ASSERT_EQ(GetActiveWindow(), other);
    g_activations.clear();
    g_mouse.clear();
    HeadlessMouseDown(150, 130);
    EXPECT_FALSE(HeadlessPump());
    EXPECT_EQ(GetActiveWindow(), top_);
    ASSERT_EQ(g_activations.size(), 2u);
    EXPECT_EQ(g_activations[0], std::make_pair(other, (WPARAM)WA_INACTIVE));
    EXPECT_EQ(g_activations[1], std::make_pair(top_, (WPARAM)WA_CLICKACTIVE));
    ASSERT_EQ(g_mouse.size(), 1u);
    EXPECT_EQ(g_mouse[0].window, plain_);
}

TEST_F(Input, ADisabledWindowTakesNoMouseInput) {
    EnableWindow(top_, FALSE);
    HeadlessClick(150, 130);
    EXPECT_FALSE(HeadlessPump());
    EXPECT_TRUE(g_mouse.empty());
}

TEST_F(Input, CaptionClicksActivateButSendNoClientMessage) {
    HWND framed = CreateWindowExA(0, "Mouse", "", WS_CAPTION | WS_VISIBLE, 600, 600, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(top_);
    EXPECT_FALSE(HeadlessPump());
    g_mouse.clear();
    HeadlessClick(700, 610);
    EXPECT_FALSE(HeadlessPump());
    EXPECT_TRUE(g_mouse.empty());
    EXPECT_EQ(GetActiveWindow(), framed);
}

} // namespace
