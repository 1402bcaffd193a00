// The display's input turned into messages: keys and characters to the focus window, the
// mouse to the capture window or the window under the pointer, and the user's requests
// to activate, close, minimise and restore top-level windows.
#include "platform/window_manager.h"

namespace {

struct MouseState {
    POINT position{0, 0};
    HWND lastDown = nullptr; // the window the last button-down went to
};

MouseState& Mouse() {
    static MouseState mouse;
    return mouse;
}

bool Contains(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
           point.y < rect.bottom;
}

RECT ScreenRect(HWND window) {
    RECT rect{0, 0, 0, 0};
    GetWindowRect(window, &rect);
    return rect;
}

RECT ScreenClientRect(const Window& record) {
    RECT client = WmClientRect(record);
    POINT origin = WmClientOrigin(record);
    return RECT{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
}

// A group box lets the mouse through to what lies beneath it.
bool IsGroupBox(const Window& record) {
    return record.windowClass->system && record.windowClass->name == "Button" &&
           (record.style & BS_TYPEMASK) == BS_GROUPBOX;
}

// The window under point within window (which contains it), deepest first: a child that
// is shown, enabled and not transparent to the mouse wins over its parent. nullptr when
// window and everything in it let the mouse through.
HWND Descend(HWND window, POINT point, int* hit) {
    Window* record = WmFind(window);
    if (!record)
        return nullptr;
    if (Contains(ScreenClientRect(*record), point)) {
        std::vector<HWND> children = record->children;
        for (HWND child : children) {
            Window* childRecord = WmFind(child);
            if (!childRecord || !(childRecord->style & WS_VISIBLE) ||
                (childRecord->style & WS_DISABLED) || IsGroupBox(*childRecord) ||
                !Contains(ScreenRect(child), point))
                continue;
            if (HWND found = Descend(child, point, hit))
                return found;
        }
    }
    if (!WmFind(window))
        return nullptr;
    *hit = (int)SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    if (!WmFind(window) || *hit == HTTRANSPARENT)
        return nullptr;
    return window;
}

// The window the mouse talks to at point, and where on it (HTCLIENT, HTCAPTION...).
HWND MouseTarget(POINT point, int* hit) {
    *hit = HTNOWHERE;
    if (HWND capture = GetCapture()) {
        *hit = HTCLIENT;
        return capture;
    }
    std::vector<HWND> tops = Wm().topLevels;
    for (HWND top : tops) {
        Window* record = WmFind(top);
        if (!record || !(record->style & WS_VISIBLE) || (record->style & WS_MINIMIZE) ||
            !Contains(record->rect, point))
            continue;
        if (record->style & WS_DISABLED) {
            *hit = HTERROR;
            return nullptr; // a disabled window takes no mouse input
        }
        if (HWND found = Descend(top, point, hit))
            return found;
    }
    return nullptr;
}

WPARAM MouseKeys() {
    WPARAM keys = 0;
    if (WmKeyDownNow(VK_LBUTTON))
        keys |= MK_LBUTTON;
    if (WmKeyDownNow(VK_RBUTTON))
        keys |= MK_RBUTTON;
    if (WmKeyDownNow(VK_MBUTTON))
        keys |= MK_MBUTTON;
    if (WmKeyDownNow(VK_SHIFT))
        keys |= MK_SHIFT;
    if (WmKeyDownNow(VK_CONTROL))
        keys |= MK_CONTROL;
    return keys;
}

int ButtonKey(MouseButton button) {
    switch (button) {
    case MouseButton::Right:
        return VK_RBUTTON;
    case MouseButton::Middle:
        return VK_MBUTTON;
    default:
        return VK_LBUTTON;
    }
}

UINT ButtonMessage(MouseButton button, bool down) {
    switch (button) {
    case MouseButton::Right:
        return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case MouseButton::Middle:
        return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default:
        return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    }
}

void QueueMouse(HWND target, UINT message, POINT point) {
    Window* record = WmFind(target);
    if (!record)
        return;
    POINT origin = WmClientOrigin(*record);
    WmQueueInput(target, message, MouseKeys(), MAKELPARAM(point.x - origin.x, point.y - origin.y));
}

void Key(int key, bool down) {
    key &= 0xFF;
    bool wasDown = WmKeyDownNow(key);
    WmSetPhysicalKey(key, down);
    bool alt = WmKeyDownNow(VK_MENU);
    bool control = WmKeyDownNow(VK_CONTROL);
    bool system = key == VK_MENU ? !control : (alt && !control) || key == VK_F10;
    HWND target = GetFocus();
    if (target == nullptr) {
        // Without a focus window the keys go to the active window as system keys.
        target = GetActiveWindow();
        system = true;
    }
    if (target == nullptr)
        return;
    DWORD flags = 0;
    if (alt)
        flags |= KF_ALTDOWN;
    if (wasDown)
        flags |= KF_REPEAT;
    if (!down)
        flags |= KF_UP | KF_REPEAT;
    UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    WmQueueInput(target, message, (WPARAM)key, (LPARAM)(1u | (flags << 16)));
}

// A second click on a window whose class asks for double clicks becomes
// WM_LBUTTONDBLCLK (left button only); anything else stays a button-down.
UINT DownMessage(MouseButton button, HWND target, int clicks) {
    Window* record = WmFind(target);
    if (clicks >= 2 && button == MouseButton::Left && target == Mouse().lastDown && record &&
        (record->windowClass->style & CS_DBLCLKS))
        return WM_LBUTTONDBLCLK;
    return ButtonMessage(button, true);
}

void Button(MouseButton button, POINT point, bool down, int clicks) {
    Mouse().position = point;
    WmSetPhysicalKey(ButtonKey(button), down);
    int hit = HTNOWHERE;
    HWND target = MouseTarget(point, &hit);
    if (target == nullptr)
        return;
    if (down) {
        // A click into an inactive window activates it first.
        HWND top = WmRoot(target);
        if (top != Wm().active && IsWindowEnabled(top)) {
            WmActivate(top, WA_CLICKACTIVE, true);
            target = MouseTarget(point, &hit);
            if (target == nullptr)
                return;
        }
    }
    if (hit != HTCLIENT)
        return;
    UINT message = down ? DownMessage(button, target, clicks) : ButtonMessage(button, false);
    if (down)
        Mouse().lastDown = target;
    QueueMouse(target, message, point);
}

void PostSystemCommand(HWND window, WPARAM command) {
    Window* record = WmFind(window);
    if (record && WmIsTopLevel(*record))
        PostMessageA(window, WM_SYSCOMMAND, command, 0);
}

} // namespace

void WmProcessEvent(const DisplayEvent& event) {
    switch (event.type) {
    case DisplayEventType::KeyDown:
    case DisplayEventType::KeyUp:
        Key(event.key, event.type == DisplayEventType::KeyDown);
        break;
    case DisplayEventType::Char:
        if (HWND target = GetFocus())
            WmQueueInput(target, WM_CHAR, (WPARAM)event.character, 1);
        break;
    case DisplayEventType::MouseMove: {
        Mouse().position = event.point;
        int hit = HTNOWHERE;
        HWND target = MouseTarget(event.point, &hit);
        if (target && hit == HTCLIENT)
            QueueMouse(target, WM_MOUSEMOVE, event.point);
        break;
    }
    case DisplayEventType::ButtonDown:
    case DisplayEventType::ButtonUp:
        Button(event.button, event.point, event.type == DisplayEventType::ButtonDown, event.clicks);
        break;
    case DisplayEventType::Wheel: {
        Mouse().position = event.point;
        HWND target = GetFocus() ? GetFocus() : GetActiveWindow();
        if (target) {
            WPARAM wParam = MAKEWPARAM(MouseKeys(), (WORD)(short)event.wheelDelta);
            WmQueueInput(target, WM_MOUSEWHEEL, wParam, MAKELPARAM(event.point.x, event.point.y));
        }
        break;
    }
    case DisplayEventType::Activate: {
        Window* record = WmFind(event.window);
        if (record && WmIsTopLevel(*record))
            WmActivate(event.window, WA_ACTIVE, true);
        break;
    }
    case DisplayEventType::Deactivate:
        if (event.window == nullptr || event.window == Wm().active)
            WmActivate(nullptr, WA_INACTIVE, true);
        break;
    case DisplayEventType::Close:
        PostSystemCommand(event.window, SC_CLOSE);
        break;
    case DisplayEventType::Minimize:
        PostSystemCommand(event.window, SC_MINIMIZE);
        break;
    case DisplayEventType::Restore:
        PostSystemCommand(event.window, SC_RESTORE);
        break;
    }
}

POINT WmCursorPos() {
    return Mouse().position;
}

void WmClearInputState() {
    Mouse() = MouseState{};
    WmClearKeyStates();
}
