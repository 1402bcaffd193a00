// Where windows are: frames, window and client rectangles, coordinate mapping, moving.
#include "platform/window_manager.h"

#include <algorithm>

namespace {

int Dpi() {
    return CurrentDisplay().Metrics().dpi;
}

// System metrics of the classic look at 96 dots per inch; the parts that hold text or
// pictures grow with the resolution, the frame lines do not.
int ScaledMetric(int at96) {
    return MulDiv(at96, Dpi(), 96);
}

void Translate(RECT& rect, int dx, int dy) {
    rect.left += dx;
    rect.right += dx;
    rect.top += dy;
    rect.bottom += dy;
}

} // namespace

int WINAPI GetSystemMetrics(int index) {
    DisplayMetrics screen = CurrentDisplay().Metrics();
    switch (index) {
    case SM_CXSCREEN:
        return screen.width;
    case SM_CYSCREEN:
        return screen.height;
    case SM_CYCAPTION:
    case SM_CYMENU:
        return ScaledMetric(19);
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
        return ScaledMetric(17);
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return ScaledMetric(32);
    case SM_CXSMICON:
    case SM_CYSMICON:
        return ScaledMetric(16);
    default:
        return 0;
    }
}

FrameInsets WmFrameInsets(DWORD style, DWORD exStyle) {
    int frame = 0;
    if (style & WS_THICKFRAME)
        frame = GetSystemMetrics(SM_CXFRAME);
    else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        frame = GetSystemMetrics(SM_CXDLGFRAME);
    else if (style & WS_BORDER)
        frame = GetSystemMetrics(SM_CXBORDER);
    if (exStyle & WS_EX_CLIENTEDGE)
        frame += GetSystemMetrics(SM_CXEDGE);
    if (exStyle & WS_EX_STATICEDGE)
        frame += GetSystemMetrics(SM_CXBORDER);
    FrameInsets insets{frame, frame, frame, frame};
    if ((style & WS_CAPTION) == WS_CAPTION)
        insets.top += GetSystemMetrics(SM_CYCAPTION);
    return insets;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
    if (rect == nullptr)
        return FALSE;
    FrameInsets insets = WmFrameInsets(style, exStyle);
    rect->left -= insets.left;
    rect->top -= insets.top + (menu ? GetSystemMetrics(SM_CYMENU) : 0);
    rect->right += insets.right;
    rect->bottom += insets.bottom;
    return TRUE;
}

POINT WmClientOrigin(const Window& window) {
    FrameInsets insets = WmFrameInsets(window.style, window.exStyle);
    POINT origin{window.rect.left + insets.left, window.rect.top + insets.top};
    if (Window* parent = WmFind(window.parent)) {
        POINT parentOrigin = WmClientOrigin(*parent);
        origin.x += parentOrigin.x;
        origin.y += parentOrigin.y;
    }
    return origin;
}

RECT WmClientRect(const Window& window) {
    FrameInsets insets = WmFrameInsets(window.style, window.exStyle);
    int width = window.rect.right - window.rect.left - insets.left - insets.right;
    int height = window.rect.bottom - window.rect.top - insets.top - insets.bottom;
    return RECT{0, 0, std::max(width, 0), std::max(height, 0)};
}

BOOL WINAPI GetClientRect(HWND window, LPRECT rect) {
    Window* record = WmFind(window);
    if (!record || rect == nullptr)
        return FALSE;
    *rect = WmClientRect(*record);
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND window, LPRECT rect) {
    Window* record = WmFind(window);
    if (!record || rect == nullptr)
        return FALSE;
    *rect = record->rect;
    if (Window* parent = WmFind(record->parent)) {
        POINT origin = WmClientOrigin(*parent);
        Translate(*rect, origin.x, origin.y);
    }
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND window, LPPOINT point) {
    Window* record = WmFind(window);
    if (!record || point == nullptr)
        return FALSE;
    POINT origin = WmClientOrigin(*record);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND window, LPPOINT point) {
    Window* record = WmFind(window);
    if (!record || point == nullptr)
        return FALSE;
    POINT origin = WmClientOrigin(*record);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
    Window* record = WmFind(window);
    if (!record)
        return FALSE;
    RECT old = record->rect;
    RECT now{x, y, x + std::max(width, 0), y + std::max(height, 0)};
    bool moved = now.left != old.left || now.top != old.top;
    bool resized = now.right - now.left != old.right - old.left ||
                   now.bottom - now.top != old.bottom - old.top;
    if (!moved && !resized)
        return TRUE;
    record->rect = now;
    bool topLevel = WmIsTopLevel(*record);
    HWND parent = record->parent;
    if (topLevel)
        CurrentDisplay().WindowMoved(window, now);
    if (repaint) {
        WmInvalidate(window, nullptr, true);
        if (parent) {
            WmInvalidate(parent, &old, true);
            WmInvalidate(parent, &now, true);
        }
    }
    if (moved) {
        POINT origin = WmClientOrigin(*record);
        if (Window* parentRecord = WmFind(parent)) {
            POINT parentOrigin = WmClientOrigin(*parentRecord);
            origin.x -= parentOrigin.x;
            origin.y -= parentOrigin.y;
        }
        SendMessageA(window, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    }
    if (resized && (record = WmFind(window)) != nullptr) {
        RECT client = WmClientRect(*record);
        WPARAM type = (record->style & WS_MINIMIZE) ? SIZE_MINIMIZED : SIZE_RESTORED;
        SendMessageA(window, WM_SIZE, type, MAKELPARAM(client.right, client.bottom));
    }
    return TRUE;
}

BOOL WINAPI GetCursorPos(LPPOINT point) {
    if (point == nullptr)
        return FALSE;
    *point = WmCursorPos();
    return TRUE;
}
