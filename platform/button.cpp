// The button: the push button (BS_PUSHBUTTON, BS_DEFPUSHBUTTON) and the group box
// (BS_GROUPBOX). A push button is pressed with the left mouse button or the space bar and
// tells its parent WM_COMMAND BN_CLICKED when released over it. A group box is a frame
// with its text in the top edge; it takes neither the mouse nor the focus.
#include "platform/controls.h"

#include "platform/window_internal.h"

#include <string>

namespace {

enum class Press {
    None,
    Mouse, // the left button went down on the control, which holds the capture
    Key,   // the space bar went down while it had the focus
};

struct ButtonState {
    UINT state = 0; // BST_PUSHED, BST_FOCUS
    Press press = Press::None;
};

// Pixels between the group box's left edge and its text.
constexpr int kGroupTextIndent = 8;
// The focus rectangle's distance from the push button's edges.
constexpr int kFocusInset = 3;
// The width of the raised or sunken edge around a push button's face.
constexpr int kEdgeWidth = 2;

DWORD Type(HWND window) {
    return (DWORD)GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
}

bool IsGroupBox(HWND window) {
    return Type(window) == BS_GROUPBOX;
}

HWND ColorParent(HWND window) {
    HWND parent = GetParent(window);
    return parent ? parent : window;
}

std::string OwnText(HWND window) {
    LRESULT length = DefWindowProcA(window, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0)
        return std::string();
    std::string text((size_t)length + 1, '\0');
    LRESULT copied = DefWindowProcA(window, WM_GETTEXT, (WPARAM)text.size(), (LPARAM)text.data());
    text.resize(copied > 0 ? (size_t)copied : 0);
    return text;
}

// The text as shown: "&x" underlines x and shows no "&", "&&" shows one "&".
std::string ShownText(const std::string& text) {
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        else if (text[i] == '&')
            continue;
        shown += text[i];
    }
    return shown;
}

bool PointInClient(HWND window, LPARAM lParam) {
    RECT client;
    GetClientRect(window, &client);
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return PtInRect(&client, point) != FALSE;
}

void NotifyClicked(HWND window) {
    HWND parent = GetParent(window);
    if (parent == nullptr)
        return;
    WORD id = (WORD)GetWindowLongA(window, GWL_ID);
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)window);
}

// Ends a press without a click: the capture goes back, the button shows released.
void CancelPress(HWND window) {
    ButtonState* state = ControlState<ButtonState>(window);
    if (state == nullptr || state->press == Press::None)
        return;
    Press press = state->press;
    state->press = Press::None;
    if (press == Press::Mouse && GetCapture() == window)
        ReleaseCapture();
    if (IsWindow(window))
        SendMessageA(window, BM_SETSTATE, FALSE, 0);
}

void MouseDown(HWND window) {
    if (IsGroupBox(window) || !IsWindowEnabled(window))
        return;
    SetFocus(window);
    // Whoever lost the focus may have destroyed or disabled the button meanwhile.
    if (!IsWindow(window) || !IsWindowEnabled(window))
        return;
    SetCapture(window);
    ButtonState* state = ControlState<ButtonState>(window);
    if (state == nullptr)
        return;
    state->press = Press::Mouse;
    SendMessageA(window, BM_SETSTATE, TRUE, 0);
}

void MouseMove(HWND window, LPARAM lParam) {
    ButtonState* state = ControlState<ButtonState>(window);
    if (state == nullptr || state->press != Press::Mouse || GetCapture() != window)
        return;
    bool inside = PointInClient(window, lParam);
    if (inside != ((state->state & BST_PUSHED) != 0))
        SendMessageA(window, BM_SETSTATE, inside ? TRUE : FALSE, 0);
}

void MouseUp(HWND window, LPARAM lParam) {
    ButtonState* state = ControlState<ButtonState>(window);
    if (state == nullptr || state->press != Press::Mouse)
        return;
    state->press = Press::None;
    SendMessageA(window, BM_SETSTATE, FALSE, 0);
    if (GetCapture() == window)
        ReleaseCapture();
    if (IsWindow(window) && IsWindowEnabled(window) && PointInClient(window, lParam))
        NotifyClicked(window);
}

void KeyDown(HWND window, WPARAM key) {
    if (key != VK_SPACE || IsGroupBox(window) || !IsWindowEnabled(window))
        return;
    ButtonState* state = ControlState<ButtonState>(window);
    if (state == nullptr || state->press != Press::None)
        return; // already pressed: the key repeats, or the mouse holds it
    state->press = Press::Key;
    SendMessageA(window, BM_SETSTATE, TRUE, 0);
}

void KeyUp(HWND window, WPARAM key) {
    ButtonState* state = ControlState<ButtonState>(window);
    if (key != VK_SPACE || state == nullptr || state->press != Press::Key)
        return;
    state->press = Press::None;
    SendMessageA(window, BM_SETSTATE, FALSE, 0);
    if (IsWindow(window) && IsWindowEnabled(window))
        NotifyClicked(window);
}

void PaintPushButton(HWND window, HDC dc) {
    // The parent is asked, but a push button's face is always the button face colour.
    SendMessageA(ColorParent(window), WM_CTLCOLORBTN, (WPARAM)dc, (LPARAM)window);
    ButtonState* state = IsWindow(window) ? ControlState<ButtonState>(window) : nullptr;
    if (state == nullptr)
        return;
    bool pushed = (state->state & BST_PUSHED) != 0;
    bool focused = (state->state & BST_FOCUS) != 0;

    RECT client;
    GetClientRect(window, &client);
    RECT face = client;
    if (Type(window) == BS_DEFPUSHBUTTON) {
        FrameRect(dc, &face, (HBRUSH)GetStockObject(BLACK_BRUSH));
        InflateRect(&face, -1, -1);
    }
    FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
    RECT edge = face;
    DrawEdge(dc, &edge, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    std::string text = OwnText(window);
    if (!text.empty()) {
        RECT textRect = face;
        InflateRect(&textRect, -kEdgeWidth, -kEdgeWidth);
        if (pushed)
            OffsetRect(&textRect, 1, 1);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(IsWindowEnabled(window) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        DrawTextA(dc, text.c_str(), (int)text.size(), &textRect,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if (focused) {
        RECT focus = client;
        InflateRect(&focus, -kFocusInset, -kFocusInset);
        DrawFocusRect(dc, &focus);
    }
}

void PaintGroupBox(HWND window, HDC dc) {
    HWND parent = ColorParent(window);
    auto brush = (HBRUSH)SendMessageA(parent, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)window);
    if (!IsWindow(window))
        return;
    if (brush == nullptr && IsWindow(parent))
        brush = (HBRUSH)DefWindowProcA(parent, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)window);

    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    RECT client;
    GetClientRect(window, &client);
    // The frame's top line runs through the middle of the text.
    RECT frame = client;
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);

    std::string text = OwnText(window);
    if (text.empty())
        return;
    SIZE extent{0, 0};
    std::string shown = ShownText(text);
    GetTextExtentPoint32A(dc, shown.c_str(), (int)shown.size(), &extent);
    RECT textRect{kGroupTextIndent, 0, kGroupTextIndent + extent.cx, metrics.tmHeight};
    if (textRect.right > client.right)
        textRect.right = client.right;
    // The text's background covers the line beneath it: the gap.
    if (brush)
        FillRect(dc, &textRect, brush);
    SetBkMode(dc, TRANSPARENT);
    if (!IsWindowEnabled(window))
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextA(dc, text.c_str(), (int)text.size(), &textRect, DT_LEFT | DT_TOP | DT_SINGLELINE);
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (dc == nullptr)
        return;
    HGDIOBJ previousFont = nullptr;
    if (HFONT font = (HFONT)DefWindowProcA(window, WM_GETFONT, 0, 0))
        previousFont = SelectObject(dc, font);
    if (IsGroupBox(window))
        PaintGroupBox(window, dc);
    else
        PaintPushButton(window, dc);
    if (previousFont)
        SelectObject(dc, previousFont);
    EndPaint(window, &paint);
}

void SetPushed(HWND window, bool pushed) {
    ButtonState* state = ControlState<ButtonState>(window);
    if (state == nullptr)
        return;
    UINT changed = pushed ? (state->state | BST_PUSHED) : (state->state & ~BST_PUSHED);
    if (changed == state->state)
        return;
    state->state = changed;
    InvalidateRect(window, nullptr, TRUE);
}

void SetFocusFlag(HWND window, bool focused) {
    ButtonState* state = ControlState<ButtonState>(window);
    if (state == nullptr)
        return;
    state->state = focused ? (state->state | BST_FOCUS) : (state->state & ~BST_FOCUS);
    InvalidateRect(window, nullptr, TRUE);
}

} // namespace

LRESULT CALLBACK ButtonWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST:
        if (IsGroupBox(window))
            return HTTRANSPARENT;
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_GETDLGCODE:
        switch (Type(window)) {
        case BS_GROUPBOX:
            return DLGC_STATIC;
        case BS_DEFPUSHBUTTON:
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        default:
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        MouseDown(window);
        return 0;
    case WM_MOUSEMOVE:
        MouseMove(window, lParam);
        return 0;
    case WM_LBUTTONUP:
        MouseUp(window, lParam);
        return 0;
    case WM_KEYDOWN:
        KeyDown(window, wParam);
        return 0;
    case WM_KEYUP:
        KeyUp(window, wParam);
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the press ends without a click.
        if (ButtonState* state = ControlState<ButtonState>(window)) {
            if (state->press == Press::Mouse && (HWND)lParam != window)
                CancelPress(window);
        }
        return 0;
    case WM_CANCELMODE:
        CancelPress(window);
        return 0;
    case WM_SETFOCUS:
        SetFocusFlag(window, true);
        return 0;
    case WM_KILLFOCUS:
        CancelPress(window);
        if (IsWindow(window))
            SetFocusFlag(window, false);
        return 0;
    case WM_ENABLE:
        if (!wParam)
            CancelPress(window);
        if (IsWindow(window))
            InvalidateRect(window, nullptr, TRUE);
        return 0;
    case BM_GETCHECK:
        return BST_UNCHECKED; // a push button and a group box are never checked
    case BM_SETCHECK:
        return 0;
    case BM_GETSTATE: {
        ButtonState* state = ControlState<ButtonState>(window);
        return state ? (LRESULT)state->state : 0;
    }
    case BM_SETSTATE:
        SetPushed(window, wParam != 0);
        return 0;
    case BM_CLICK:
        // As if the user clicked it: the button receives the mouse going down and up.
        SendMessageA(window, WM_LBUTTONDOWN, 0, 0);
        if (IsWindow(window))
            SendMessageA(window, WM_LBUTTONUP, 0, 0);
        return 0;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        InvalidateRect(window, nullptr, TRUE);
        return result;
    }
    case WM_SETFONT: // kept with the window; redrawn when asked
    case WM_GETFONT:
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_ERASEBKGND:
        return TRUE; // WM_PAINT draws all there is to draw
    case WM_PAINT:
        Paint(window);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
