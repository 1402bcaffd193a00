// The keyboard focus, activation and the mouse capture: the messages and their order.
#include "platform/headless/headless.h"
#include "platform/winapi.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Record {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Record&) const = default;
};

std::vector<Record> g_log;
HWND g_forwardFocusTo = nullptr; // a parent that passes its focus on, as dialogs do

LRESULT CALLBACK FocusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ACTIVATE:
    case WM_CAPTURECHANGED:
        g_log.push_back({window, message, wParam, lParam});
        break;
    default:
        break;
    }
    if (message == WM_SETFOCUS && g_forwardFocusTo && IsChild(window, g_forwardFocusTo))
        SetFocus(g_forwardFocusTo);
    return DefWindowProcA(window, message, wParam, lParam);
}

class Focus : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessReset();
        g_log.clear();
        g_forwardFocusTo = nullptr;
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = FocusProc;
        wc.lpszClassName = "Focus";
        ASSERT_NE(RegisterClassExA(&wc), 0);
        top_ = Window(nullptr, WS_OVERLAPPED | WS_SYSMENU | WS_VISIBLE);
        a_ = Window(top_, WS_CHILD | WS_VISIBLE);
        b_ = Window(top_, WS_CHILD | WS_VISIBLE);
        other_ = Window(nullptr, WS_OVERLAPPED | WS_VISIBLE);
        g_log.clear();
    }
    void TearDown() override {
        g_forwardFocusTo = nullptr;
        HeadlessReset();
    }

    static HWND Window(HWND parent, DWORD style) {
        return CreateWindowExA(0, "Focus", "", style, 0, 0, 100, 100, parent, nullptr, nullptr,
                               nullptr);
    }

    HWND top_ = nullptr, a_ = nullptr, b_ = nullptr, other_ = nullptr;
};

TEST_F(Focus, MovingTheFocusWithinAWindowKillsThenSets) {
    SetActiveWindow(top_);
    SetFocus(a_);
    g_log.clear();
    EXPECT_EQ(SetFocus(b_), a_) << "the previous focus";
    EXPECT_EQ(g_log, (std::vector<Record>{{a_, WM_KILLFOCUS, (WPARAM)b_, 0},
                                          {b_, WM_SETFOCUS, (WPARAM)a_, 0}}));
    EXPECT_EQ(GetFocus(), b_);
    g_log.clear();
    EXPECT_EQ(SetFocus(b_), b_);
    EXPECT_TRUE(g_log.empty()) << "already there";
}

TEST_F(Focus, ChildOfAnInactiveWindowActivatesItFirst) {
    ASSERT_EQ(GetActiveWindow(), other_); // the last window shown
    HWND otherFocus = GetFocus();
    ASSERT_EQ(otherFocus, other_);
    g_log.clear();
    SetFocus(a_);
    std::vector<Record> expected{
        {other_, WM_ACTIVATE, WA_INACTIVE, (LPARAM)top_},
        {top_, WM_ACTIVATE, WA_ACTIVE, (LPARAM)other_},
        {other_, WM_KILLFOCUS, (WPARAM)top_, 0}, // the default handling of the activation
        {top_, WM_SETFOCUS, (WPARAM)other_, 0},
        {top_, WM_KILLFOCUS, (WPARAM)a_, 0},
        {a_, WM_SETFOCUS, (WPARAM)top_, 0},
    };
    EXPECT_EQ(g_log, expected);
    EXPECT_EQ(GetActiveWindow(), top_);
    EXPECT_EQ(GetFocus(), a_);
}

TEST_F(Focus, AParentThatPassesItsFocusOnEndsWithTheChildFocused) {
    g_forwardFocusTo = b_;
    SetActiveWindow(top_);
    EXPECT_EQ(GetFocus(), b_);
    EXPECT_EQ(g_log.back(), (Record{b_, WM_SETFOCUS, (WPARAM)top_, 0}));
}

TEST_F(Focus, InvalidTargetsSendNothing) {
    SetFocus(a_);
    g_log.clear();
    HWND dead = Window(top_, WS_CHILD);
    DestroyWindow(dead);
    EXPECT_EQ(SetFocus(dead), nullptr);
    EXPECT_EQ(SetFocus(reinterpret_cast<HWND>(static_cast<uintptr_t>(0x13579))), nullptr);
    EnableWindow(b_, FALSE);
    g_log.clear();
    EXPECT_EQ(SetFocus(b_), nullptr) << "a disabled window";
    EXPECT_TRUE(g_log.empty());
    EXPECT_EQ(GetFocus(), a_);
}

TEST_F(Focus, SetFocusNullRemovesTheFocus) {
    SetFocus(a_);
    g_log.clear();
    EXPECT_EQ(SetFocus(nullptr), a_);
    EXPECT_EQ(g_log, (std::vector<Record>{{a_, WM_KILLFOCUS, 0, 0}}));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetActiveWindow(), top_) << "the window stays active";
}

TEST_F(Focus, DisablingOrHidingTheFocusWindowTakesTheFocusAway) {
    struct Case {
        const char* what;
        void (*act)(HWND);
        bool toParent;
    } cases[] = {
        {"disabled", [](HWND w) { EnableWindow(w, FALSE); }, false},
        {"hidden", [](HWND w) { ShowWindow(w, SW_HIDE); }, true},
    };
    for (const Case& c : cases) {
        EnableWindow(a_, TRUE);
        ShowWindow(a_, SW_SHOW);
        SetFocus(a_);
        c.act(a_);
        EXPECT_EQ(GetFocus(), c.toParent ? top_ : nullptr) << c.what;
    }
}

TEST_F(Focus, MinimisingDeactivatesAndRestoringGivesTheFocusBack) {
    g_forwardFocusTo = a_;
    SetFocus(a_);
    ShowWindow(other_, SW_HIDE);
    g_log.clear();
    HeadlessMinimize(top_);
    EXPECT_FALSE(HeadlessPump());
    EXPECT_TRUE(IsIconic(top_));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(SetFocus(a_), nullptr) << "a child of a minimised window takes no focus";

    HeadlessRestore(top_);
    EXPECT_FALSE(HeadlessPump());
    EXPECT_FALSE(IsIconic(top_));
    EXPECT_EQ(GetActiveWindow(), top_);
    EXPECT_EQ(GetFocus(), a_);
}

TEST_F(Focus, StartingMinimisedAndRestoringGivesTheFocusBack) {
    g_forwardFocusTo = a_;
    SetFocus(a_);
    ShowWindow(top_, SW_SHOWMINIMIZED);
    EXPECT_EQ(GetActiveWindow(), top_);
    EXPECT_EQ(GetFocus(), nullptr);
    HeadlessRestore(top_);
    EXPECT_FALSE(HeadlessPump());
    EXPECT_EQ(GetFocus(), a_);
}

TEST_F(Focus, DisplayActivationAndDeactivation) {
    g_forwardFocusTo = a_;
    SetActiveWindow(other_);
    g_log.clear();
    HeadlessActivate(top_);
    EXPECT_FALSE(HeadlessPump());
    EXPECT_EQ(GetActiveWindow(), top_);
    EXPECT_EQ(GetFocus(), a_);
    EXPECT_EQ(g_log.front(), (Record{other_, WM_ACTIVATE, WA_INACTIVE, (LPARAM)top_}));

    g_log.clear();
    HeadlessDeactivate(top_);
    EXPECT_FALSE(HeadlessPump());
    EXPECT_EQ(g_log,
              (std::vector<Record>{{top_, WM_ACTIVATE, WA_INACTIVE, 0}, {a_, WM_KILLFOCUS, 0, 0}}));
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(Focus, SetActiveWindowOnlyTakesTopLevelWindows) {
    SetActiveWindow(other_);
    EXPECT_EQ(SetActiveWindow(a_), other_);
    EXPECT_EQ(GetActiveWindow(), other_);
    EXPECT_EQ(SetActiveWindow(top_), other_);
    EXPECT_EQ(GetActiveWindow(), top_);
}

TEST_F(Focus, CaptureChangesAreAnnouncedToTheWindowLosingIt) {
    EXPECT_EQ(SetCapture(a_), nullptr);
    EXPECT_TRUE(g_log.empty());
    EXPECT_EQ(SetCapture(b_), a_);
    EXPECT_EQ(GetCapture(), b_);
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(g_log, (std::vector<Record>{{a_, WM_CAPTURECHANGED, 0, (LPARAM)b_},
                                          {b_, WM_CAPTURECHANGED, 0, 0}}));
    g_log.clear();
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_TRUE(g_log.empty());
    SetCapture(a_);
    DestroyWindow(a_);
    EXPECT_EQ(GetCapture(), nullptr);
}

} // namespace
