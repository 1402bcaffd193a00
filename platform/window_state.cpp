// Showing, hiding, minimising and enabling windows.
#include "platform/window_manager.h"

namespace {

bool IsShowCommand(int command) {
    return command >= SW_HIDE && command <= SW_SHOWDEFAULT;
}

bool Activates(int command) {
    switch (command) {
    case SW_SHOWNORMAL:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMAXIMIZED:
    case SW_SHOW:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
        return true;
    default:
        return false;
    }
}

bool Minimizes(int command) {
    return command == SW_SHOWMINIMIZED || command == SW_MINIMIZE || command == SW_SHOWMINNOACTIVE;
}

bool Restores(int command) {
    return command == SW_SHOWNORMAL || command == SW_RESTORE || command == SW_SHOWNOACTIVATE ||
           command == SW_SHOWDEFAULT || command == SW_SHOWMAXIMIZED;
}

// Hides a shown window: the activation passes on, the focus leaves it.
void Hide(HWND window) {
    Window* record = WmFind(window);
    bool topLevel = WmIsTopLevel(*record);
    HWND parent = record->parent;
    record->style &= ~WS_VISIBLE;
    if (topLevel) {
        CurrentDisplay().WindowShown(window, false, (record->style & WS_MINIMIZE) != 0);
        if (Wm().active == window)
            WmActivateOther(window);
        if (WmIsInTree(window, Wm().focus))
            WmSetFocusWindow(nullptr);
    } else {
        RECT area = record->rect;
        WmInvalidate(parent, &area, true);
        if (WmIsInTree(window, Wm().focus))
            SetFocus(parent);
    }
}

} // namespace

BOOL WINAPI ShowWindow(HWND window, int command) {
    Window* record = WmFind(window);
    if (!record || !IsShowCommand(command))
        return FALSE;
    bool wasVisible = (record->style & WS_VISIBLE) != 0;
    bool wasMinimized = (record->style & WS_MINIMIZE) != 0;
    bool topLevel = WmIsTopLevel(*record);

    if (command == SW_HIDE) {
        if (wasVisible) {
            SendMessageA(window, WM_SHOWWINDOW, FALSE, 0);
            if (WmFind(window))
                Hide(window);
        }
        return wasVisible;
    }

    if (!wasVisible) {
        SendMessageA(window, WM_SHOWWINDOW, TRUE, 0);
        if ((record = WmFind(window)) == nullptr)
            return wasVisible;
    }
    bool minimize = Minimizes(command);
    bool restore = wasMinimized && Restores(command);
    if (minimize)
        record->style |= WS_MINIMIZE;
    else if (restore)
        record->style &= ~WS_MINIMIZE;
    if (command == SW_SHOWMAXIMIZED)
        record->style |= WS_MAXIMIZE;
    else if (restore || command == SW_SHOWNORMAL || command == SW_RESTORE)
        record->style &= ~WS_MAXIMIZE;
    record->style |= WS_VISIBLE;
    bool minimized = (record->style & WS_MINIMIZE) != 0;
    if (!wasVisible || minimized != wasMinimized) {
        if (topLevel)
            CurrentDisplay().WindowShown(window, true, minimized);
        WmInvalidate(window, nullptr, true);
    }
    if (!topLevel)
        return wasVisible;

    // A minimised window keeps no focus: keys go to the active window itself.
    if (minimized && WmIsInTree(window, Wm().focus))
        WmSetFocusWindow(nullptr);
    if (command == SW_MINIMIZE) {
        if (Wm().active == window)
            WmActivateOther(window);
    } else if (Activates(command)) {
        if (Wm().active != window) {
            WmActivate(window, WA_ACTIVE, true);
        } else if (restore && !WmIsInTree(window, Wm().focus)) {
            // Back from minimised while active: activated again, so that the window
            // takes the focus as it does on any activation.
            SendMessageA(window, WM_ACTIVATE, WA_ACTIVE, 0);
            if (WmFind(window) && Wm().active == window && !WmIsInTree(window, Wm().focus))
                WmSetFocusWindow(window);
        }
    }
    return wasVisible;
}

BOOL WINAPI IsWindowVisible(HWND window) {
    Window* record = WmFind(window);
    if (!record)
        return FALSE;
    for (; record; record = WmFind(record->parent)) {
        if (!(record->style & WS_VISIBLE))
            return FALSE;
    }
    return TRUE;
}

BOOL WINAPI IsIconic(HWND window) {
    Window* record = WmFind(window);
    return record && (record->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL WINAPI EnableWindow(HWND window, BOOL enable) {
    Window* record = WmFind(window);
    if (!record)
        return FALSE;
    bool wasDisabled = (record->style & WS_DISABLED) != 0;
    if (enable && wasDisabled) {
        record->style &= ~WS_DISABLED;
        SendMessageA(window, WM_ENABLE, TRUE, 0);
    } else if (!enable && !wasDisabled) {
        SendMessageA(window, WM_CANCELMODE, 0, 0);
        if ((record = WmFind(window)) == nullptr)
            return FALSE;
        record->style |= WS_DISABLED;
        // A disabled window takes no input: it loses the focus and the mouse.
        if (WmIsInTree(window, Wm().focus))
            WmSetFocusWindow(nullptr);
        WmReleaseCaptureIfIn(window);
        if (WmFind(window))
            SendMessageA(window, WM_ENABLE, FALSE, 0);
    }
    if (WmFind(window) && (enable != FALSE) == wasDisabled)
        WmInvalidate(window, nullptr, true);
    return wasDisabled;
}

BOOL WINAPI IsWindowEnabled(HWND window) {
    Window* record = WmFind(window);
    return record && !(record->style & WS_DISABLED) ? TRUE : FALSE;
}
