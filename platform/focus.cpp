// The keyboard focus, the active window and the mouse capture.
#include "platform/window_manager.h"

#include <algorithm>

namespace {

void BringToTop(HWND window) {
    auto& tops = Wm().topLevels;
    auto found = std::find(tops.begin(), tops.end(), window);
    if (found != tops.end())
        std::rotate(tops.begin(), found, found + 1);
}

bool CanTakeActivation(const Window& record) {
    return !record.destroying && (record.style & WS_VISIBLE) && !(record.style & WS_DISABLED) &&
           !(record.style & WS_MINIMIZE);
}

} // namespace

void WmSetFocusWindow(HWND window) {
    WindowManager& wm = Wm();
    HWND previous = wm.focus;
    if (previous == window)
        return;
    wm.focus = window;
    if (WmFind(previous))
        SendMessageA(previous, WM_KILLFOCUS, (WPARAM)window, 0);
    // The old focus window may have moved the focus elsewhere meanwhile.
    if (wm.focus != window || !WmFind(window))
        return;
    SendMessageA(window, WM_SETFOCUS, (WPARAM)(WmFind(previous) ? previous : nullptr), 0);
}

void WmActivate(HWND window, int how, bool giveFocus) {
    WindowManager& wm = Wm();
    HWND previous = wm.active;
    if (previous == window)
        return;
    if (window && !WmFind(window))
        return;
    if (WmFind(previous)) {
        WPARAM state = MAKEWPARAM(WA_INACTIVE, IsIconic(previous) ? 1 : 0);
        SendMessageA(previous, WM_ACTIVATE, state, (LPARAM)window);
    }
    if (window && !WmFind(window))
        window = nullptr;
    wm.active = window;
    if (window) {
        BringToTop(window);
        WPARAM state = MAKEWPARAM(how, IsIconic(window) ? 1 : 0);
        SendMessageA(window, WM_ACTIVATE, state, (LPARAM)(WmFind(previous) ? previous : nullptr));
    }
    if (!giveFocus || wm.active != window)
        return;
    // The default handling of WM_ACTIVATE normally gave the focus already.
    if (window == nullptr)
        WmSetFocusWindow(nullptr);
    else if (!WmIsInTree(window, wm.focus))
        WmSetFocusWindow(window);
}

void WmActivateOther(HWND window) {
    for (HWND top : Wm().topLevels) {
        Window* record = WmFind(top);
        if (top != window && record && CanTakeActivation(*record) &&
            !WmIsInTree(window, record->owner)) {
            WmActivate(top, WA_ACTIVE, true);
            return;
        }
    }
    WmActivate(nullptr, WA_INACTIVE, true);
}

HWND WINAPI SetFocus(HWND window) {
    WindowManager& wm = Wm();
    HWND previous = WmFind(wm.focus) ? wm.focus : nullptr;
    if (window == nullptr) {
        WmSetFocusWindow(nullptr);
        return previous;
    }
    if (!WmFind(window))
        return nullptr;
    if (window == wm.focus)
        return previous;
    // A window inside a minimised or disabled window cannot take the focus.
    for (Window* record = WmFind(window); record; record = WmFind(record->parent)) {
        if (record->style & (WS_MINIMIZE | WS_DISABLED))
            return nullptr;
    }
    HWND top = WmRoot(window);
    if (top != wm.active) {
        WmActivate(top, WA_ACTIVE, false);
        if (!WmFind(window) || wm.active != top)
            return nullptr;
    }
    WmSetFocusWindow(window);
    return previous;
}

HWND WINAPI GetFocus(void) {
    return WmFind(Wm().focus) ? Wm().focus : nullptr;
}

HWND WINAPI GetActiveWindow(void) {
    return WmFind(Wm().active) ? Wm().active : nullptr;
}

HWND WINAPI SetActiveWindow(HWND window) {
    HWND previous = GetActiveWindow();
    if (window == nullptr) {
        WmActivate(nullptr, WA_INACTIVE, true);
        return previous;
    }
    Window* record = WmFind(window);
    if (!record)
        return nullptr;
    if (!WmIsTopLevel(*record))
        return previous; // only top-level windows are activated
    WmActivate(window, WA_ACTIVE, true);
    return previous;
}

HWND WINAPI SetCapture(HWND window) {
    WindowManager& wm = Wm();
    HWND previous = WmFind(wm.capture) ? wm.capture : nullptr;
    if (window != nullptr && !WmFind(window))
        return nullptr;
    if (previous == window)
        return previous;
    wm.capture = window;
    if (previous)
        SendMessageA(previous, WM_CAPTURECHANGED, 0, (LPARAM)window);
    return previous;
}

BOOL WINAPI ReleaseCapture(void) {
    WindowManager& wm = Wm();
    HWND previous = wm.capture;
    wm.capture = nullptr;
    if (WmFind(previous))
        SendMessageA(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND WINAPI GetCapture(void) {
    return WmFind(Wm().capture) ? Wm().capture : nullptr;
}

void WmReleaseCaptureIfIn(HWND window) {
    if (WmIsInTree(window, Wm().capture))
        ReleaseCapture();
}
