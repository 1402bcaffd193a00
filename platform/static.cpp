// The static control: a text in its client area, left-aligned, centred or right-aligned
// (SS_LEFT, SS_CENTER, SS_RIGHT), on the background its parent chooses with
// WM_CTLCOLORSTATIC. It never takes the focus, and without SS_NOTIFY the mouse passes
// through it to whatever lies beneath.
#include "platform/controls.h"

#include "platform/window_internal.h"

#include <string>

namespace {

// The control's own text, read without going through a subclass's procedure.
std::string OwnText(HWND window) {
    LRESULT length = DefWindowProcA(window, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0)
        return std::string();
    std::string text((size_t)length + 1, '\0');
    LRESULT copied = DefWindowProcA(window, WM_GETTEXT, (WPARAM)text.size(), (LPARAM)text.data());
    text.resize(copied > 0 ? (size_t)copied : 0);
    return text;
}

// The brush the parent gives for the background: a brush handle or a COLOR_x + 1 value,
// both of which FillRect takes. A parent that answers 0 gets the default colours.
HBRUSH BackgroundBrush(HWND window, HDC dc) {
    HWND parent = GetParent(window);
    if (parent == nullptr)
        parent = window;
    auto brush = (HBRUSH)SendMessageA(parent, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)window);
    if (brush == nullptr && IsWindow(parent))
        brush = (HBRUSH)DefWindowProcA(parent, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)window);
    return brush;
}

// DrawTextA's format for the control's style; false for the types that show no text.
bool TextFormat(DWORD style, UINT* format) {
    UINT alignment;
    switch (style & SS_TYPEMASK) {
    case SS_LEFT:
        alignment = DT_LEFT;
        break;
    case SS_CENTER:
        alignment = DT_CENTER;
        break;
    case SS_RIGHT:
        alignment = DT_RIGHT;
        break;
    default:
        return false;
    }
    *format = alignment | DT_WORDBREAK | DT_EXPANDTABS;
    if (style & SS_NOPREFIX)
        *format |= DT_NOPREFIX;
    return true;
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (dc == nullptr)
        return;
    HGDIOBJ previousFont = nullptr;
    if (HFONT font = (HFONT)DefWindowProcA(window, WM_GETFONT, 0, 0))
        previousFont = SelectObject(dc, font);
    HBRUSH brush = BackgroundBrush(window, dc);
    // The parent may have destroyed the control while it chose the colours.
    if (IsWindow(window)) {
        RECT client;
        GetClientRect(window, &client);
        if (brush)
            FillRect(dc, &client, brush);
        UINT format = 0;
        if (TextFormat((DWORD)GetWindowLongA(window, GWL_STYLE), &format)) {
            std::string text = OwnText(window);
            if (!text.empty()) {
                SetBkMode(dc, TRANSPARENT);
                if (!IsWindowEnabled(window))
                    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
                DrawTextA(dc, text.c_str(), (int)text.size(), &client, format);
            }
        }
    }
    if (previousFont)
        SelectObject(dc, previousFont);
    EndPaint(window, &paint);
}

} // namespace

LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST:
        if (!(GetWindowLongA(window, GWL_STYLE) & SS_NOTIFY))
            return HTTRANSPARENT;
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        InvalidateRect(window, nullptr, TRUE);
        return result;
    }
    case WM_SETFONT: // kept with the window; redrawn when asked
    case WM_GETFONT:
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_ENABLE:
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_ERASEBKGND:
        return TRUE; // WM_PAINT fills the whole client area
    case WM_PAINT:
        Paint(window);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
