// Window classes, creation, destruction and handles on the headless display.
#include "platform/controls.h"
#include "platform/headless/headless.h"
#include "platform/window_internal.h"
#include "platform/winapi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

struct Record {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<Record> g_log;
// Optional per-test reaction, run before the default handling.
std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)> g_react;

LRESULT CALLBACK RecorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    g_log.push_back({window, message, wParam, lParam});
    LRESULT result = 0;
    if (g_react && g_react(window, message, wParam, lParam, &result))
        return result;
    return DefWindowProcA(window, message, wParam, lParam);
}

class WindowLifecycle : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessReset();
        g_log.clear();
        g_react = nullptr;
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = RecorderProc;
        wc.cbWndExtra = 16;
        wc.lpszClassName = "Recorder";
        ASSERT_NE(RegisterClassExA(&wc), 0);
    }
    void TearDown() override {
        g_react = nullptr;
        HeadlessReset();
    }

    static HWND Top(const char* title = "top") {
        return CreateWindowExA(0, "Recorder", title, WS_OVERLAPPED | WS_SYSMENU, 10, 20, 300, 200,
                               nullptr, nullptr, nullptr, nullptr);
    }
    static HWND Child(HWND parent, int id) {
        return CreateWindowExA(0, "Recorder", "child", WS_CHILD | WS_VISIBLE, 5, 5, 50, 20, parent,
                               (HMENU)(INT_PTR)id, nullptr, nullptr);
    }
    // The messages of one kind in the log, as the windows that received them.
    static std::vector<HWND> Receivers(UINT message) {
        std::vector<HWND> windows;
        for (const Record& r : g_log)
            if (r.message == message)
                windows.push_back(r.window);
        return windows;
    }
    static std::vector<UINT> Messages(HWND window) {
        std::vector<UINT> messages;
        for (const Record& r : g_log)
            if (r.window == window)
                messages.push_back(r.message);
        return messages;
    }
};

TEST_F(WindowLifecycle, RegisterClassRejectsUnusableRecordsAndDuplicateNames) {
    WNDCLASSEXA good{};
    good.cbSize = sizeof(good);
    good.lpfnWndProc = RecorderProc;
    good.lpszClassName = "Another";

    struct Case {
        const char* what;
        std::function<void(WNDCLASSEXA&)> spoil;
    } cases[] = {
        {"wrong cbSize", [](WNDCLASSEXA& wc) { wc.cbSize = 48; }},
        {"no procedure", [](WNDCLASSEXA& wc) { wc.lpfnWndProc = nullptr; }},
        {"no name", [](WNDCLASSEXA& wc) { wc.lpszClassName = nullptr; }},
        {"empty name", [](WNDCLASSEXA& wc) { wc.lpszClassName = ""; }},
        {"negative extra", [](WNDCLASSEXA& wc) { wc.cbWndExtra = -1; }},
        {"name taken, other case", [](WNDCLASSEXA& wc) { wc.lpszClassName = "RECORDER"; }},
    };
    for (const Case& c : cases) {
        WNDCLASSEXA wc = good;
        c.spoil(wc);
        EXPECT_EQ(RegisterClassExA(&wc), 0) << c.what;
    }
    EXPECT_EQ(RegisterClassExA(nullptr), 0);
    EXPECT_NE(RegisterClassExA(&good), 0);
}

TEST_F(WindowLifecycle, TheClassKeepsWhatWasRegistered) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = RecorderProc;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = "Kept";
    ATOM atom = RegisterClassExA(&wc);
    ASSERT_NE(atom, 0);
    HWND window = CreateWindowExA(0, MAKEINTRESOURCEA(atom), "", WS_POPUP, 0, 0, 5, 5, nullptr,
                                  nullptr, instance, nullptr);
    ASSERT_NE(window, nullptr) << "a class can be named by its atom";
    EXPECT_EQ(GetClassLongA(window, GCL_STYLE), CS_HREDRAW | CS_VREDRAW);
    EXPECT_EQ(GetClassLongA(window, GCL_WNDPROC), (LONG_PTR)RecorderProc);
    EXPECT_EQ(GetClassLongA(window, GCL_CBWNDEXTRA), DLGWINDOWEXTRA);
    EXPECT_EQ(GetClassLongA(window, GCL_HMODULE), (LONG_PTR)instance);
    EXPECT_EQ(GetClassLongA(window, GCL_HICON), (LONG_PTR)wc.hIcon);
    EXPECT_EQ(GetClassLongA(window, GCL_HICONSM), (LONG_PTR)wc.hIcon) << "none of its own";
    EXPECT_EQ(GetClassLongA(window, GCL_HCURSOR), (LONG_PTR)wc.hCursor);
    EXPECT_EQ(GetClassLongA(window, GCL_HBRBACKGROUND), COLOR_BTNFACE + 1);
    EXPECT_EQ(GetClassLongA(window, GCW_ATOM), atom);
    EXPECT_EQ(GetWindowLongA(window, GWL_HINSTANCE), (LONG_PTR)instance);
}

TEST_F(WindowLifecycle, ControlStateIsFreedOnceWithTheWindow) {
    static int alive = 0;
    struct State {
        State() { ++alive; }
        ~State() { --alive; }
        int value = 0;
    };
    HWND top = Top();
    HWND child = Child(top, 1);
    State* state = ControlState<State>(child);
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(ControlState<State>(child), state) << "made once";
    state->value = 3;
    EXPECT_EQ(alive, 1);
    bool seenAtNcDestroy = false;
    g_react = [&](HWND window, UINT message, WPARAM, LPARAM, LRESULT*) {
        if (window == child && message == WM_NCDESTROY)
            seenAtNcDestroy = GetControlData(child) == state && state->value == 3;
        return false;
    };
    DestroyWindow(top);
    EXPECT_TRUE(seenAtNcDestroy) << "still there for the last message";
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(ControlState<State>(child), nullptr) << "no window, no state";
    EXPECT_EQ(alive, 0);

    HWND other = Top();
    ControlState<State>(other);
    EXPECT_TRUE(SetControlData(other, nullptr, nullptr));
    EXPECT_EQ(alive, 0) << "replacing frees the old state";
}

TEST_F(WindowLifecycle, UnregisterClassOnlyWithoutWindowsAndNeverSystemClasses) {
    HWND window = Top();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(UnregisterClassA("Recorder", nullptr)) << "a window of the class exists";
    DestroyWindow(window);
    EXPECT_TRUE(UnregisterClassA("recorder", nullptr));
    EXPECT_FALSE(UnregisterClassA("Recorder", nullptr));
    EXPECT_EQ(Top(), nullptr) << "the class is gone";
    EXPECT_FALSE(UnregisterClassA("Edit", nullptr));
    EXPECT_NE(CreateWindowExA(0, "Edit", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
              nullptr);
}

TEST_F(WindowLifecycle, CreationSendsNcCreateCreateSizeMoveWithTheCreateStruct) {
    static int param = 42;
    std::vector<CREATESTRUCTA> seen;
    g_react = [&](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT*) {
        if (message == WM_NCCREATE || message == WM_CREATE)
            seen.push_back(*reinterpret_cast<CREATESTRUCTA*>(lParam));
        return false;
    };
    HWND window = CreateWindowExA(WS_EX_CLIENTEDGE, "Recorder", "Title", WS_POPUP | WS_VISIBLE, 1,
                                  2, 30, 40, nullptr, nullptr, nullptr, &param);
    ASSERT_NE(window, nullptr);
    std::vector<UINT> messages = Messages(window);
    std::vector<UINT> first(messages.begin(), messages.begin() + 4);
    EXPECT_EQ(first, (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE}));
    ASSERT_EQ(seen.size(), 2u);
    for (const CREATESTRUCTA& cs : seen) {
        EXPECT_EQ(cs.lpCreateParams, &param);
        EXPECT_STREQ(cs.lpszName, "Title");
        EXPECT_EQ(cs.x, 1);
        EXPECT_EQ(cs.y, 2);
        EXPECT_EQ(cs.cx, 30);
        EXPECT_EQ(cs.cy, 40);
        EXPECT_EQ((DWORD)cs.style, (DWORD)(WS_POPUP | WS_VISIBLE));
        EXPECT_EQ(cs.dwExStyle, (DWORD)WS_EX_CLIENTEDGE);
    }
    char text[16];
    EXPECT_EQ(GetWindowTextA(window, text, sizeof text), 5);
    EXPECT_STREQ(text, "Title");
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(WindowLifecycle, ChildGetsItsParentAndIdentifier) {
    HWND top = Top();
    HWND child = Child(top, 1234);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetParent(child), top);
    EXPECT_EQ(GetParent(top), nullptr);
    EXPECT_EQ(GetDlgCtrlID(child), 1234);
    EXPECT_EQ(GetDlgItem(top, 1234), child);
    EXPECT_EQ(GetDlgItem(top, 1235), nullptr);
    EXPECT_TRUE(IsChild(top, child));
    EXPECT_EQ(CreateWindowExA(0, "Recorder", "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                              nullptr),
              nullptr)
        << "a child needs a parent";
}

TEST_F(WindowLifecycle, PredefinedClassesAreFoundWithoutRegardToCase) {
    struct Case {
        const char* asked;
        const char* name;
        WNDPROC procedure;
        const char* text; // a drop-down list's text is its selected item's: none yet
    } cases[] = {
        {"edit", "Edit", EditWndProc, "text"},
        {"STATIC", "Static", StaticWndProc, "text"},
        {"Button", "Button", ButtonWndProc, "text"},
        {"comboBOX", "ComboBox", ComboBoxWndProc, ""},
    };
    HWND top = Top();
    for (const Case& c : cases) {
        HWND control = CreateWindowExA(0, c.asked, "text", WS_CHILD, 0, 0, 10, 10, top, (HMENU)7,
                                       nullptr, nullptr);
        ASSERT_NE(control, nullptr) << c.asked;
        char name[32];
        EXPECT_EQ(GetClassNameA(control, name, sizeof name), (int)strlen(c.name));
        EXPECT_STREQ(name, c.name);
        EXPECT_EQ(GetWindowLongA(control, GWL_WNDPROC), (LONG_PTR)c.procedure) << c.asked;
        char text[8];
        GetWindowTextA(control, text, sizeof text);
        EXPECT_STREQ(text, c.text) << c.asked;
    }
    EXPECT_EQ(
        CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
        nullptr);
}

TEST_F(WindowLifecycle, GetClassNameTruncatesToTheBuffer) {
    HWND window = Top();
    char name[5] = "xxxx";
    EXPECT_EQ(GetClassNameA(window, name, 4), 3);
    EXPECT_STREQ(name, "Rec");
    EXPECT_EQ(GetClassNameA(window, name, 0), 0);
    EXPECT_STREQ(name, "Rec");
}

TEST_F(WindowLifecycle, RefusedCreationLeavesNoWindow) {
    struct Case {
        const char* what;
        UINT message;
        LRESULT answer;
        std::vector<UINT> expected;
    } cases[] = {
        {"WM_NCCREATE refused", WM_NCCREATE, FALSE, {WM_NCCREATE, WM_NCDESTROY}},
        {"WM_CREATE refused", WM_CREATE, -1, {WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY}},
    };
    for (const Case& c : cases) {
        g_log.clear();
        g_react = [&](HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
            if (message != c.message)
                return false;
            *result = c.answer;
            return true;
        };
        EXPECT_EQ(Top(), nullptr) << c.what;
        ASSERT_FALSE(g_log.empty());
        HWND attempted = g_log.front().window;
        EXPECT_EQ(Messages(attempted), c.expected) << c.what;
        EXPECT_FALSE(IsWindow(attempted)) << c.what;
    }
}

TEST_F(WindowLifecycle, DestroyGoesParentsFirstThenChildrenFirstAndReleasesFocus) {
    HWND parent = Top();
    HWND first = Child(parent, 1);
    HWND grandchild = Child(first, 2);
    HWND second = Child(parent, 3);
    SetFocus(grandchild);
    SetCapture(second);
    ASSERT_EQ(GetFocus(), grandchild);
    g_log.clear();

    EXPECT_TRUE(DestroyWindow(parent));

    EXPECT_EQ(Receivers(WM_DESTROY), (std::vector<HWND>{parent, first, grandchild, second}));
    EXPECT_EQ(Receivers(WM_NCDESTROY), (std::vector<HWND>{grandchild, first, second, parent}));
    // Focus and capture went while the windows still lived, before WM_DESTROY.
    ASSERT_GE(g_log.size(), 3u);
    std::vector<UINT> before;
    for (const Record& r : g_log) {
        if (r.message == WM_DESTROY)
            break;
        before.push_back(r.message);
    }
    EXPECT_NE(std::find(before.begin(), before.end(), WM_KILLFOCUS), before.end());
    EXPECT_NE(std::find(before.begin(), before.end(), WM_CAPTURECHANGED), before.end());
    for (HWND w : {parent, first, grandchild, second})
        EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_FALSE(DestroyWindow(parent)) << "a dead handle";
}

TEST_F(WindowLifecycle, DestroyFromInsideTheWindowsOwnProcedure) {
    HWND parent = Top();
    HWND child = Child(parent, 1);
    int afterwards = -1;
    g_react = [&](HWND window, UINT message, WPARAM, LPARAM, LRESULT* result) {
        if (message == WM_USER) {
            EXPECT_TRUE(DestroyWindow(window));
            // The window is gone while its procedure still runs: every call fails cleanly.
            char text[8] = "x";
            afterwards = GetWindowTextA(window, text, sizeof text) + IsWindow(window) +
                         (int)SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
            *result = 5;
            return true;
        }
        if (message == WM_DESTROY) {
            EXPECT_FALSE(DestroyWindow(window)) << "destruction already under way";
        }
        return false;
    };
    EXPECT_EQ(SendMessageA(child, WM_USER, 0, 0), 5);
    EXPECT_EQ(afterwards, 0);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(GetDlgItem(parent, 1), nullptr);
    EXPECT_EQ(Receivers(WM_DESTROY), (std::vector<HWND>{child}));
    EXPECT_EQ(Receivers(WM_NCDESTROY), (std::vector<HWND>{child}));
    EXPECT_TRUE(IsWindow(parent));
}

TEST_F(WindowLifecycle, HandlesAreNeverGivenTwice) {
    std::set<HWND> seen;
    for (int i = 0; i < 200; ++i) {
        HWND window = Top();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(seen.insert(window).second);
        DestroyWindow(window);
    }
    HeadlessReset();
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = RecorderProc;
    wc.lpszClassName = "Recorder";
    RegisterClassExA(&wc);
    EXPECT_TRUE(seen.insert(Top()).second) << "not even after a reset";
}

TEST_F(WindowLifecycle, CloseDestroysThroughTheDefaultProcedure) {
    HWND window = Top();
    HWND child = Child(window, 1);
    EXPECT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
    EXPECT_FALSE(HeadlessPump());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindow(child));
}

// Every call given a handle that never was a window, or no longer is, fails as Windows
// does and touches nothing.
TEST_F(WindowLifecycle, InvalidHandlesFailEverywhere) {
    HWND destroyed = Top();
    DestroyWindow(destroyed);
    HWND never = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x7654321));
    RECT rect{1, 2, 3, 4};
    POINT point{5, 6};
    char buffer[8] = "keep";
    struct Call {
        const char* name;
        std::function<intptr_t(HWND)> call;
    } calls[] = {
        {"DestroyWindow", [](HWND h) { return (intptr_t)DestroyWindow(h); }},
        {"IsWindow", [](HWND h) { return (intptr_t)IsWindow(h); }},
        {"GetParent", [](HWND h) { return (intptr_t)GetParent(h); }},
        {"GetClassNameA", [&](HWND h) { return (intptr_t)GetClassNameA(h, buffer, 8); }},
        {"GetDlgItem", [](HWND h) { return (intptr_t)GetDlgItem(h, 1); }},
        {"GetDlgCtrlID", [](HWND h) { return (intptr_t)GetDlgCtrlID(h); }},
        {"ShowWindow", [](HWND h) { return (intptr_t)ShowWindow(h, SW_SHOW); }},
        {"IsWindowVisible", [](HWND h) { return (intptr_t)IsWindowVisible(h); }},
        {"IsIconic", [](HWND h) { return (intptr_t)IsIconic(h); }},
        {"EnableWindow", [](HWND h) { return (intptr_t)EnableWindow(h, FALSE); }},
        {"IsWindowEnabled", [](HWND h) { return (intptr_t)IsWindowEnabled(h); }},
        {"SetWindowTextA", [](HWND h) { return (intptr_t)SetWindowTextA(h, "x"); }},
        {"GetWindowTextLengthA", [](HWND h) { return (intptr_t)GetWindowTextLengthA(h); }},
        {"GetWindowLongA", [](HWND h) { return (intptr_t)GetWindowLongA(h, GWL_STYLE); }},
        {"SetWindowLongA", [](HWND h) { return (intptr_t)SetWindowLongA(h, GWL_USERDATA, 9); }},
        {"SetWindowLongA proc",
         [](HWND h) { return (intptr_t)SetWindowLongA(h, GWL_WNDPROC, (LONG_PTR)RecorderProc); }},
        {"GetClientRect", [&](HWND h) { return (intptr_t)GetClientRect(h, &rect); }},
        {"GetWindowRect", [&](HWND h) { return (intptr_t)GetWindowRect(h, &rect); }},
        {"ClientToScreen", [&](HWND h) { return (intptr_t)ClientToScreen(h, &point); }},
        {"ScreenToClient", [&](HWND h) { return (intptr_t)ScreenToClient(h, &point); }},
        {"MoveWindow", [](HWND h) { return (intptr_t)MoveWindow(h, 0, 0, 9, 9, TRUE); }},
        {"MapDialogRect", [&](HWND h) { return (intptr_t)MapDialogRect(h, &rect); }},
        {"InvalidateRect", [](HWND h) { return (intptr_t)InvalidateRect(h, nullptr, TRUE); }},
        {"UpdateWindow", [](HWND h) { return (intptr_t)UpdateWindow(h); }},
        {"SendMessageA", [](HWND h) { return (intptr_t)SendMessageA(h, WM_GETTEXTLENGTH, 0, 0); }},
        {"SendDlgItemMessageA",
         [](HWND h) { return (intptr_t)SendDlgItemMessageA(h, 1, WM_GETTEXTLENGTH, 0, 0); }},
        {"PostMessageA", [](HWND h) { return (intptr_t)PostMessageA(h, WM_USER, 0, 0); }},
        {"DefWindowProcA",
         [](HWND h) { return (intptr_t)DefWindowProcA(h, WM_SETTEXT, 0, (LPARAM) "x"); }},
        {"CallWindowProcA(Def)",
         [](HWND h) { return (intptr_t)CallWindowProcA(DefWindowProcA, h, WM_CLOSE, 0, 0); }},
        {"SetFocus", [](HWND h) { return (intptr_t)SetFocus(h); }},
        {"SetActiveWindow", [](HWND h) { return (intptr_t)SetActiveWindow(h); }},
        {"SetCapture", [](HWND h) { return (intptr_t)SetCapture(h); }},
        {"IsChild", [](HWND h) { return (intptr_t)IsChild(h, h); }},
        {"GetDC", [](HWND h) { return (intptr_t)GetDC(h); }},
        {"OpenClipboard", [](HWND h) { return (intptr_t)OpenClipboard(h); }},
        {"BeginPaint",
         [](HWND h) {
             PAINTSTRUCT paint;
             return (intptr_t)BeginPaint(h, &paint);
         }},
        {"GetUpdateRect", [&](HWND h) { return (intptr_t)GetUpdateRect(h, &rect, TRUE); }},
        {"ValidateRect", [](HWND h) { return (intptr_t)ValidateRect(h, nullptr); }},
        {"DispatchMessageA",
         [](HWND h) {
             MSG msg{h, WM_USER, 0, 0, 0, {0, 0}};
             return (intptr_t)DispatchMessageA(&msg);
         }},
    };
    for (HWND handle : {never, destroyed}) {
        g_log.clear();
        for (const Call& c : calls)
            EXPECT_EQ(c.call(handle), 0) << c.name;
        EXPECT_TRUE(g_log.empty()) << "no message reached any procedure";
    }
    EXPECT_STREQ(buffer, "keep");
    EXPECT_EQ(GetWindowTextA(never, buffer, 8), 0);
    EXPECT_STREQ(buffer, "") << "emptied, for callers that do not check the result";
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(point.x, 5);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "nothing was posted";
}

} // namespace
