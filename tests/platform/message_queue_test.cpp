// Sending, posting, the quit request, the order of the queue, and the end of the run when
// nothing is left to wait for.
#include "platform/headless/headless.h"
#include "platform/winapi.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Record {
    HWND window;
    UINT message;
    WPARAM wParam;
};

std::vector<Record> g_log;
int g_depth = 0;

LRESULT CALLBACK QueueProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER || message == WM_DESTROY || message == WM_CLOSE ||
        message == WM_SYSCOMMAND)
        g_log.push_back({window, message, wParam});
    switch (message) {
    case WM_USER + 50:
        // Re-entrant sending: each level asks the next and adds one.
        if (wParam == 0)
            return 0;
        ++g_depth;
        return 1 + SendMessageA(window, WM_USER + 50, wParam - 1, lParam);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

class MessageQueue : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessReset();
        g_log.clear();
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = QueueProc;
        wc.lpszClassName = "Queue";
        ASSERT_NE(RegisterClassExA(&wc), 0);
        window_ = CreateWindowExA(0, "Queue", "q", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                  nullptr, nullptr);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override { HeadlessReset(); }

    HWND window_ = nullptr;
};

TEST_F(MessageQueue, SendIsSynchronousAndReentrant) {
    g_depth = 0;
    EXPECT_EQ(SendMessageA(window_, WM_USER + 50, 20, 0), 20);
    EXPECT_EQ(g_depth, 20);
}

TEST_F(MessageQueue, QuitComesAfterEveryPostedMessageWithItsExitCode) {
    PostMessageA(window_, WM_USER + 1, 0, 0);
    PostMessageA(window_, WM_USER + 2, 0, 0);
    PostQuitMessage(7);
    PostMessageA(window_, WM_USER + 3, 0, 0);
    PostMessageA(nullptr, WM_USER + 4, 0, 0); // a message for the thread itself

    std::vector<UINT> order;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        order.push_back(msg.message);
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_USER + 3, WM_USER + 4}));
    EXPECT_EQ(msg.message, (UINT)WM_QUIT);
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "the quit comes once";
    std::vector<UINT> dispatched;
    for (const Record& r : g_log)
        dispatched.push_back(r.message);
    EXPECT_EQ(dispatched, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_USER + 3}))
        << "a thread message reaches no window";
}

TEST_F(MessageQueue, PeekCanLeaveTheMessageAndFilterByRange) {
    PostMessageA(window_, WM_USER + 1, 11, 0);
    PostMessageA(window_, WM_USER + 2, 22, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, (UINT)WM_USER + 1);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 2, WM_USER + 2, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 22u);
    ASSERT_TRUE(PeekMessageA(&msg, window_, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 11u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(nullptr, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueue, PostedMessagesComeBeforeInput) {
    HeadlessKeyDown('A');
    PostMessageA(window_, WM_USER + 1, 0, 0);
    SetFocus(window_);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, (UINT)WM_USER + 1);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, (UINT)WM_KEYDOWN);
    EXPECT_EQ(msg.hwnd, window_);
}

TEST_F(MessageQueue, MessagesForADestroyedWindowAreDropped) {
    PostMessageA(window_, WM_USER + 1, 0, 0);
    DestroyWindow(window_);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, (UINT)WM_QUIT) << "only the quit its WM_DESTROY posted";
    EXPECT_FALSE(PostMessageA(window_, WM_USER, 0, 0));
}

// The run's end as the program sees it: the user closes the window, the default handling
// destroys it, WM_DESTROY posts the quit, the loop ends with its exit code.
TEST_F(MessageQueue, CloseRequestEndsTheLoop) {
    ShowWindow(window_, SW_SHOWNORMAL);
    HeadlessRequestClose(window_);
    MSG msg;
    int dispatched = 0;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        ASSERT_LT(++dispatched, 100);
    }
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_FALSE(IsWindow(window_));
    std::vector<UINT> seen;
    for (const Record& r : g_log)
        seen.push_back(r.message);
    EXPECT_EQ(seen, (std::vector<UINT>{WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}));
    EXPECT_EQ(g_log[0].wParam, (WPARAM)SC_CLOSE);
}

TEST_F(MessageQueue, GetMessageWithNothingLeftEndsTheRunWithStatus3) {
    PostMessageA(window_, WM_USER + 1, 0, 0);
    EXPECT_EXIT(
        {
            MSG msg;
            while (GetMessageA(&msg, nullptr, 0, 0))
                DispatchMessageA(&msg);
        },
        ::testing::ExitedWithCode(3), "nothing is posted and the display has no more input");
}

TEST_F(MessageQueue, PumpStopsAtTheQuitAndReportsItsCode) {
    PostMessageA(window_, WM_USER + 1, 0, 0);
    PostQuitMessage(5);
    int code = -1;
    EXPECT_TRUE(HeadlessPump(&code));
    EXPECT_EQ(code, 5);
    EXPECT_FALSE(HeadlessPump(&code));
    EXPECT_EQ(HeadlessPendingInput(), 0u);
}

TEST_F(MessageQueue, ResetClearsTheQueueTheQuitAndTheInput) {
    PostMessageA(window_, WM_USER + 1, 0, 0);
    PostQuitMessage(1);
    HeadlessKeyPress('X');
    HeadlessReset();
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_EQ(HeadlessPendingInput(), 0u);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

} // namespace
