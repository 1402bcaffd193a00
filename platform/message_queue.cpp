// Sending and posting messages, the thread's queue and the message loop calls.
#include "platform/window_manager.h"

#include <cstdio>
#include <cstdlib>

namespace {

struct Queue {
    std::deque<MSG> posted; // PostMessageA, TranslateMessage
    std::deque<MSG> input;  // made from the display's input, in order
    bool quit = false;
    int quitCode = 0;
    DWORD time = 0; // counts messages: the run has no clock
};

Queue& TheQueue() {
    static Queue queue;
    return queue;
}

const HWND ThreadMessagesOnly = reinterpret_cast<HWND>(intptr_t(-1));

bool Matches(const MSG& message, HWND filter, UINT first, UINT last) {
    if (filter == ThreadMessagesOnly) {
        if (message.hwnd != nullptr)
            return false;
    } else if (filter != nullptr && !WmIsInTree(filter, message.hwnd)) {
        return false;
    }
    if (first == 0 && last == 0)
        return true;
    return message.message >= first && message.message <= last;
}

MSG Stamp(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = ++TheQueue().time;
    msg.pt = WmCursorPos();
    return msg;
}

bool TakeFrom(std::deque<MSG>& queue, MSG* out, HWND filter, UINT first, UINT last, bool remove) {
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (!Matches(*it, filter, first, last))
            continue;
        *out = *it;
        if (remove)
            queue.erase(it);
        return true;
    }
    return false;
}

[[noreturn]] void NoMoreInput() {
    fflush(stdout);
    fprintf(stderr, "GetMessageA: nothing is posted and the display has no more input: "
                    "the program would wait forever; ending the run (exit status 3)\n");
    fflush(stderr);
    exit(3);
}

// The next message for the filter: posted messages, then the quit request, then input,
// then painting. Without a message, waits for input when asked to.
bool Retrieve(MSG* out, HWND filter, UINT first, UINT last, bool remove, bool wait) {
    Queue& queue = TheQueue();
    for (;;) {
        if (TakeFrom(queue.posted, out, filter, first, last, remove))
            return true;
        if (queue.quit) {
            *out = Stamp(nullptr, WM_QUIT, (WPARAM)queue.quitCode, 0);
            if (remove)
                queue.quit = false;
            return true;
        }
        if (TakeFrom(queue.input, out, filter, first, last, remove)) {
            if (remove)
                WmTakeInputMessage(*out);
            return true;
        }
        DisplayEvent event;
        if (CurrentDisplay().NextEvent(event, false)) {
            WmProcessEvent(event);
            continue;
        }
        HWND paint = WmNextPaintWindow(filter == ThreadMessagesOnly ? nullptr : filter);
        if (paint && filter != ThreadMessagesOnly &&
            Matches(Stamp(paint, WM_PAINT, 0, 0), filter, first, last)) {
            *out = Stamp(paint, WM_PAINT, 0, 0);
            return true;
        }
        if (!wait)
            return false;
        if (!CurrentDisplay().NextEvent(event, true)) {
            // The display may have caused messages instead of input (a script sending one).
            if (WmHasQueuedWork())
                continue;
            NoMoreInput();
        }
        WmProcessEvent(event);
    }
}

bool FilterUsable(HWND filter) {
    return filter == nullptr || filter == ThreadMessagesOnly || WmFind(filter);
}

} // namespace

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* record = WmFind(window);
    if (!record || record->procedure == nullptr)
        return 0;
    WNDPROC procedure = record->procedure;
    return procedure(window, message, wParam, lParam);
}

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window != nullptr && !WmFind(window))
        return FALSE;
    TheQueue().posted.push_back(Stamp(window, message, wParam, lParam));
    return TRUE;
}

void WINAPI PostQuitMessage(int exitCode) {
    TheQueue().quit = true;
    TheQueue().quitCode = exitCode;
}

bool WmHasQueuedWork() {
    Queue& queue = TheQueue();
    return !queue.posted.empty() || queue.quit || !queue.input.empty() ||
           WmNextPaintWindow(nullptr) != nullptr;
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
    if (msg == nullptr || !FilterUsable(window))
        return -1;
    Retrieve(msg, window, filterMin, filterMax, true, true);
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT remove) {
    if (msg == nullptr || !FilterUsable(window))
        return FALSE;
    return Retrieve(msg, window, filterMin, filterMax, (remove & PM_REMOVE) != 0, false);
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
    if (msg == nullptr || msg->hwnd == nullptr)
        return 0;
    Window* record = WmFind(msg->hwnd);
    if (!record || record->procedure == nullptr)
        return 0;
    WNDPROC procedure = record->procedure;
    LRESULT result = procedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    // A window that does not validate itself on WM_PAINT is not asked again until it is
    // invalidated anew, so that the loop cannot spin on it.
    if (msg->message == WM_PAINT)
        WmValidate(msg->hwnd);
    return result;
}

void WmDropMessagesFor(HWND window) {
    Queue& queue = TheQueue();
    std::erase_if(queue.posted, [window](const MSG& m) { return m.hwnd == window; });
    std::erase_if(queue.input, [window](const MSG& m) { return m.hwnd == window; });
}

void WmClearQueues() {
    Queue& queue = TheQueue();
    queue.posted.clear();
    queue.input.clear();
    queue.quit = false;
    queue.quitCode = 0;
}

DWORD WmMessageTime() {
    return ++TheQueue().time;
}

void WmQueueInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TheQueue().input.push_back(Stamp(window, message, wParam, lParam));
}
