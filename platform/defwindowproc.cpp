// DefWindowProcA: what a window does with the messages its procedure leaves alone.
#include "platform/window_manager.h"

#include <algorithm>
#include <cstring>

namespace {

void SetText(HWND window, LPCSTR text) {
    Window* record = WmFind(window);
    if (!record)
        return;
    record->text = text ? text : "";
    if (WmIsTopLevel(*record))
        CurrentDisplay().WindowRetitled(window, record->text.c_str());
}

LRESULT ControlColors(HDC dc, int background) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(background));
    return (LRESULT)GetSysColorBrush(background);
}

LRESULT HitTest(const Window& record, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT outer{0, 0, 0, 0};
    GetWindowRect(record.handle, &outer);
    if (point.x < outer.left || point.x >= outer.right || point.y < outer.top ||
        point.y >= outer.bottom)
        return HTNOWHERE;
    POINT origin = WmClientOrigin(record);
    RECT client = WmClientRect(record);
    int x = point.x - origin.x, y = point.y - origin.y;
    if (x >= 0 && x < client.right && y >= 0 && y < client.bottom)
        return HTCLIENT;
    if ((record.style & WS_CAPTION) == WS_CAPTION && y < 0 && y >= -GetSystemMetrics(SM_CYCAPTION))
        return HTCAPTION;
    return HTBORDER;
}

} // namespace

// WM_GETTEXT: size counts the terminating zero; copies what fits, always terminated, and
// returns the number of characters copied.
LRESULT CopyWindowText(const std::string& text, WPARAM size, LPSTR buffer) {
    if (buffer == nullptr || size == 0)
        return 0;
    size_t count = std::min(text.size(), (size_t)size - 1);
    memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return (LRESULT)count;
}

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* record = WmFind(window);
    if (!record)
        return 0;
    switch (message) {
    case WM_NCCREATE: {
        auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (create && create->lpszName && !IS_INTRESOURCE(create->lpszName))
            SetText(window, create->lpszName);
        return TRUE;
    }
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_SETTEXT:
        SetText(window, reinterpret_cast<LPCSTR>(lParam));
        return TRUE;
    case WM_GETTEXT:
        return CopyWindowText(record->text, wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH:
        return (LRESULT)record->text.size();
    case WM_ACTIVATE:
        // Activating a window that is not minimised gives it the focus.
        if (LOWORD(wParam) != WA_INACTIVE && !(record->style & WS_MINIMIZE))
            SetFocus(window);
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return ControlColors((HDC)wParam, COLOR_WINDOW);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return ControlColors((HDC)wParam, COLOR_BTNFACE);
    case WM_SETFONT:
        record->font = (HFONT)wParam;
        if (LOWORD(lParam))
            WmInvalidate(window, nullptr, true);
        return 0;
    case WM_GETFONT:
        return (LRESULT)record->font;
    case WM_ERASEBKGND: {
        // The class background: a brush handle or a system colour index plus one.
        HBRUSH brush = (HBRUSH)GetClassLongA(window, GCL_HBRBACKGROUND);
        HDC dc = (HDC)wParam;
        if (!brush || !dc)
            return 0;
        RECT client = WmClientRect(*record);
        POINT corners[2] = {{client.left, client.top}, {client.right, client.bottom}};
        DPtoLP(dc, corners, 2);
        RECT area{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
        FillRect(dc, &area, brush);
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        if (BeginPaint(window, &paint))
            EndPaint(window, &paint);
        else
            WmValidate(window);
        return 0;
    }
    case WM_NCHITTEST:
        return HitTest(*record, lParam);
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            SendMessageA(window, WM_CLOSE, 0, 0);
            break;
        case SC_MINIMIZE:
            ShowWindow(window, SW_MINIMIZE);
            break;
        case SC_RESTORE:
            ShowWindow(window, SW_RESTORE);
            break;
        default:
            break;
        }
        return 0;
    case WM_SYSKEYDOWN:
        // Alt+F4 asks the top-level window to close.
        if (wParam == VK_F4 && (HIWORD(lParam) & KF_ALTDOWN))
            PostMessageA(WmRoot(window), WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    default:
        return 0;
    }
}
