// The combo box as a drop-down list (CBS_DROPDOWNLIST): the control's own window is the
// selection field, which shows the selected item; its list drops below the field in a
// window of the class "ComboLBox", a child of the combo's top-level window raised above
// the other controls, while the combo holds the mouse capture. Items keep the order in
// which they were added (CBS_SORT is not supported); the other two combo styles behave
// like a drop-down list, without a field to type in.
#include "platform/controls.h"

#include "platform/window_internal.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {

struct ComboItem {
    std::string text;
    ULONG_PTR data = 0;
};

// What a press on the list's scroll bar is doing until the button is released.
enum class Scrolling { None, LineUp, LineDown, PageUp, PageDown, Thumb };

struct ComboState {
    std::vector<ComboItem> items;
    int selection = -1;
    int top = 0;        // the first item the list shows
    int highlight = -1; // the list's highlighted item while it is dropped
    HFONT font = nullptr;
    int itemHeight = 0;  // a list item, and the text in the field: the font height + 2
    int fieldHeight = 0; // the field's client height: an item and the edge around it
    int extent = 0;      // the height asked for at creation: the field with its list
    bool focused = false;
    bool dropped = false;
    HWND list = nullptr;
    bool arrowPushed = false;  // the arrow drawn pushed while the mouse holds it
    bool mousePressed = false; // a press of ours waits for its release
    Scrolling scrolling = Scrolling::None;
    int thumbGrip = 0; // where the thumb was grabbed, from its top
    int wheelRest = 0; // wheel movement short of a notch
    bool resizing = false;
};

struct ListState {
    HWND combo = nullptr;
};

// Pixels: the sunken edge, and the margin between it and the text.
constexpr int kEdge = 2;
constexpr int kTextMargin = 1;
// The gap before an item's text.
constexpr int kTextIndent = 2;
// Items a wheel notch scrolls.
constexpr int kWheelLines = 3;
// The shortest thumb.
constexpr int kMinThumb = 8;

const char kListClassName[] = "ComboLBox";

LRESULT CALLBACK ComboListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam);

ComboState* State(HWND combo) {
    return ControlState<ComboState>(combo);
}

int Count(const ComboState& state) {
    return (int)state.items.size();
}

bool ValidIndex(const ComboState& state, int index) {
    return index >= 0 && index < Count(state);
}

ATOM ListClass() {
    static ATOM atom = 0;
    if (atom == 0) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = ComboListProc;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kListClassName;
        atom = RegisterSystemClass(&windowClass);
    }
    return atom;
}

bool IsChildWindow(HWND window) {
    return (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0;
}

// The top-level window the combo lies in (the combo itself when it is one).
HWND RootOf(HWND window) {
    while (IsChildWindow(window)) {
        HWND parent = GetParent(window);
        if (parent == nullptr)
            break;
        window = parent;
    }
    return window;
}

void Notify(HWND combo, int code) {
    HWND parent = GetParent(combo);
    if (parent == nullptr)
        return;
    WORD id = (WORD)GetWindowLongA(combo, GWL_ID);
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)combo);
}

// Asks the combo's parent for the colours of the field or the list; the default colours
// when there is no parent or it gives no brush. The result may be a COLOR_x + 1 value.
HBRUSH AskColors(HWND combo, UINT message, HDC dc, HWND control) {
    HWND parent = GetParent(combo);
    LRESULT brush = 0;
    if (parent)
        brush = SendMessageA(parent, message, (WPARAM)dc, (LPARAM)control);
    if (brush == 0 && IsWindow(combo))
        brush = DefWindowProcA(combo, message, (WPARAM)dc, (LPARAM)control);
    return (HBRUSH)brush;
}

// ---- Geometry --------------------------------------------------------------------------

// Where the list drops and what it shows.
struct ListLayout {
    RECT rect{0, 0, 0, 0}; // the list window on the screen
    int rows = 1;          // items shown
    int page = 1;          // items that fit in the height the combo was given
    bool scrollBar = false;
};

// The list's parts in its own client coordinates (the window holds its border).
struct ListParts {
    RECT items{0, 0, 0, 0};
    RECT bar{0, 0, 0, 0};
    RECT up{0, 0, 0, 0};
    RECT down{0, 0, 0, 0};
    RECT thumb{0, 0, 0, 0};
    int trackTop = 0;
    int trackBottom = 0;
    int maxTop = 0;
};

int ItemHeight(const ComboState& state) {
    return std::max(state.itemHeight, 1);
}

ListLayout LayoutList(HWND combo, const ComboState& state) {
    ListLayout layout;
    RECT field{0, 0, 0, 0};
    GetWindowRect(combo, &field);
    int itemHeight = ItemHeight(state);
    long long room = (long long)state.extent - (field.bottom - field.top) - 2;
    layout.page = (int)std::clamp(room / itemHeight, 1LL, (long long)INT_MAX);
    int count = Count(state);
    layout.rows = count == 0 ? 1 : std::min(count, layout.page);
    layout.scrollBar = count > layout.page;
    int height = layout.rows * itemHeight + 2;
    layout.rect = RECT{field.left, field.bottom, field.right, field.bottom + height};

    // Above the field when it does not fit below but does above.
    RECT bounds{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    HWND root = RootOf(combo);
    if (root != combo) {
        GetClientRect(root, &bounds);
        POINT origin{0, 0};
        ClientToScreen(root, &origin);
        OffsetRect(&bounds, origin.x, origin.y);
    }
    if (layout.rect.bottom > bounds.bottom && field.top - height >= bounds.top)
        layout.rect = RECT{field.left, field.top - height, field.right, field.top};
    return layout;
}

ListParts PartsOf(const ListLayout& layout, const ComboState& state) {
    ListParts parts;
    int width = layout.rect.right - layout.rect.left;
    int height = layout.rect.bottom - layout.rect.top;
    int barWidth = layout.scrollBar ? std::min(GetSystemMetrics(SM_CXVSCROLL), width - 2) : 0;
    barWidth = std::max(barWidth, 0);
    parts.items = RECT{1, 1, width - 1 - barWidth, height - 1};
    int count = Count(state);
    parts.maxTop = std::max(count - layout.rows, 0);
    if (!layout.scrollBar)
        return parts;
    parts.bar = RECT{width - 1 - barWidth, 1, width - 1, height - 1};
    int inner = height - 2;
    int arrow = std::min(GetSystemMetrics(SM_CYVSCROLL), inner / 2);
    parts.up = RECT{parts.bar.left, 1, parts.bar.right, 1 + arrow};
    parts.down = RECT{parts.bar.left, height - 1 - arrow, parts.bar.right, height - 1};
    parts.trackTop = parts.up.bottom;
    parts.trackBottom = parts.down.top;
    int track = parts.trackBottom - parts.trackTop;
    int thumb = (int)((long long)track * layout.rows / std::max(count, 1));
    thumb = std::min(std::max(thumb, kMinThumb), track);
    if (track < kMinThumb || parts.maxTop == 0)
        return parts; // no room for a thumb, or nothing to scroll
    int offset =
        (int)((long long)(track - thumb) * std::min(state.top, parts.maxTop) / parts.maxTop);
    parts.thumb = RECT{parts.bar.left, parts.trackTop + offset, parts.bar.right,
                       parts.trackTop + offset + thumb};
    return parts;
}

bool Inside(const RECT& rect, POINT point) {
    return PtInRect(&rect, point) != FALSE;
}

// The item under a point of the list's client area, or -1.
int ItemAt(const ListLayout& layout, const ListParts& parts, const ComboState& state, POINT point) {
    if (!Inside(parts.items, point))
        return -1;
    int row = (point.y - parts.items.top) / ItemHeight(state);
    if (row >= layout.rows)
        return -1;
    long long item = (long long)state.top + row;
    return item < Count(state) ? (int)item : -1;
}

Scrolling ScrollPartAt(const ListLayout& layout, const ListParts& parts, POINT point) {
    if (!layout.scrollBar || !Inside(parts.bar, point))
        return Scrolling::None;
    if (Inside(parts.up, point))
        return Scrolling::LineUp;
    if (Inside(parts.down, point))
        return Scrolling::LineDown;
    if (IsRectEmpty(&parts.thumb))
        return Scrolling::None;
    if (Inside(parts.thumb, point))
        return Scrolling::Thumb;
    if (point.y < parts.thumb.top)
        return Scrolling::PageUp;
    if (point.y >= parts.thumb.bottom)
        return Scrolling::PageDown;
    return Scrolling::None;
}

POINT ScreenPoint(HWND window, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(window, &point);
    return point;
}

POINT InList(const ListLayout& layout, POINT screen) {
    return POINT{screen.x - layout.rect.left, screen.y - layout.rect.top};
}

// ---- Field size ------------------------------------------------------------------------

void Measure(HWND combo, ComboState& state) {
    int fontHeight = 0;
    if (HDC dc = GetDC(combo)) {
        HGDIOBJ previous = state.font ? SelectObject(dc, state.font) : nullptr;
        TEXTMETRICA metrics{};
        if (GetTextMetricsA(dc, &metrics))
            fontHeight = metrics.tmHeight;
        if (previous)
            SelectObject(dc, previous);
        ReleaseDC(combo, dc);
    }
    if (fontHeight <= 0)
        fontHeight = 13;
    state.itemHeight = fontHeight + 2;
    state.fieldHeight = state.itemHeight + 2 * (kEdge + kTextMargin);
}

// Sizes the combo's window to the field, keeping its place and width.
void FitToField(HWND combo, bool repaint) {
    ComboState* state = State(combo);
    if (state == nullptr)
        return;
    RECT window{0, 0, 0, 0};
    GetWindowRect(combo, &window);
    RECT frame{0, 0, 0, state->fieldHeight};
    AdjustWindowRectEx(&frame, (DWORD)GetWindowLongA(combo, GWL_STYLE), FALSE,
                       (DWORD)GetWindowLongA(combo, GWL_EXSTYLE));
    int height = frame.bottom - frame.top;
    if (window.bottom - window.top == height)
        return;
    POINT position{window.left, window.top};
    if (IsChildWindow(combo))
        ScreenToClient(GetParent(combo), &position);
    state->resizing = true;
    MoveWindow(combo, position.x, position.y, window.right - window.left, height,
               repaint ? TRUE : FALSE);
    if ((state = State(combo)) != nullptr)
        state->resizing = false;
}

// ---- The dropped list ------------------------------------------------------------------

void InvalidateList(const ComboState& state) {
    if (state.list && IsWindow(state.list))
        InvalidateRect(state.list, nullptr, TRUE);
}

void SetTop(ComboState& state, const ListLayout& layout, int top) {
    int maxTop = std::max(Count(state) - layout.rows, 0);
    top = std::clamp(top, 0, maxTop);
    if (top != state.top) {
        state.top = top;
        InvalidateList(state);
    }
}

void ShowItem(ComboState& state, const ListLayout& layout, int item) {
    if (!ValidIndex(state, item))
        return;
    if (item < state.top)
        SetTop(state, layout, item);
    else if ((long long)item >= (long long)state.top + layout.rows)
        SetTop(state, layout, item - layout.rows + 1);
}

void SetHighlight(HWND combo, ComboState& state, int item) {
    if (!ValidIndex(state, item))
        return;
    if (item != state.highlight) {
        state.highlight = item;
        InvalidateList(state);
    }
    ShowItem(state, LayoutList(combo, state), item);
}

// Brings the list in line with the items after they changed: its size, its scrolling.
void RefreshList(HWND combo, ComboState& state) {
    if (!state.dropped)
        return;
    if (!ValidIndex(state, state.highlight))
        state.highlight = -1;
    ListLayout layout = LayoutList(combo, state);
    SetTop(state, layout, state.top);
    HWND list = state.list;
    if (list && IsWindow(list)) {
        POINT position{layout.rect.left, layout.rect.top};
        if (IsChildWindow(list))
            ScreenToClient(GetParent(list), &position);
        MoveWindow(list, position.x, position.y, layout.rect.right - layout.rect.left,
                   layout.rect.bottom - layout.rect.top, TRUE);
        InvalidateRect(list, nullptr, TRUE);
    }
}

void DropDown(HWND combo) {
    ComboState* state = State(combo);
    if (state == nullptr || state->dropped)
        return;
    Notify(combo, CBN_DROPDOWN);
    if ((state = State(combo)) == nullptr || state->dropped)
        return;
    state->dropped = true;
    state->highlight = state->selection;
    state->wheelRest = 0;
    state->scrolling = Scrolling::None;
    ListLayout layout = LayoutList(combo, *state);
    SetTop(*state, layout, state->top);
    ShowItem(*state, layout, state->highlight);

    HWND root = RootOf(combo);
    HWND parent = root;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    POINT position{layout.rect.left, layout.rect.top};
    if (root == combo) {
        parent = combo; // a combo on its own: the list is a pop-up window it owns
        style = WS_POPUP;
    } else {
        ScreenToClient(root, &position);
    }
    HWND list = CreateWindowExA(0, MAKEINTRESOURCEA(ListClass()), nullptr, style, position.x,
                                position.y, layout.rect.right - layout.rect.left,
                                layout.rect.bottom - layout.rect.top, parent, nullptr,
                                (HINSTANCE)GetWindowLongA(combo, GWL_HINSTANCE), (LPVOID)combo);
    state = State(combo);
    if (state == nullptr || !state->dropped) {
        if (list)
            DestroyWindow(list);
        return;
    }
    state->list = list;
    if (list)
        SetWindowPos(list, HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (IsWindow(combo)) {
        SetCapture(combo);
        InvalidateRect(combo, nullptr, FALSE);
    }
}

// Folds the list away and tells the parent.
void RollUp(HWND combo) {
    ComboState* state = State(combo);
    if (state == nullptr || !state->dropped)
        return;
    state->dropped = false;
    state->highlight = -1;
    state->arrowPushed = false;
    state->mousePressed = false;
    state->scrolling = Scrolling::None;
    HWND list = state->list;
    state->list = nullptr;
    if (list && IsWindow(list))
        DestroyWindow(list);
    if (GetCapture() == combo)
        ReleaseCapture();
    if (!IsWindow(combo))
        return;
    InvalidateRect(combo, nullptr, FALSE);
    Notify(combo, CBN_CLOSEUP);
}

// The list closes without a choice.
void Cancel(HWND combo) {
    ComboState* state = State(combo);
    if (state == nullptr || !state->dropped)
        return;
    Notify(combo, CBN_SELENDCANCEL);
    RollUp(combo);
}

// The highlighted item becomes the selection and the list closes. Picking the item that
// was already selected is still a choice, and says so with CBN_SELCHANGE.
void Pick(HWND combo) {
    ComboState* state = State(combo);
    if (state == nullptr || !state->dropped)
        return;
    if (!ValidIndex(*state, state->highlight)) {
        Cancel(combo);
        return;
    }
    state->selection = state->highlight;
    InvalidateRect(combo, nullptr, FALSE);
    Notify(combo, CBN_SELENDOK);
    RollUp(combo);
    if (IsWindow(combo))
        Notify(combo, CBN_SELCHANGE);
}

// ---- Selection -------------------------------------------------------------------------

// A new selection made with the closed list: the field shows it, the parent hears of it.
void ChangeSelection(HWND combo, int item) {
    ComboState* state = State(combo);
    if (state == nullptr || !ValidIndex(*state, item) || item == state->selection)
        return;
    state->selection = item;
    InvalidateRect(combo, nullptr, FALSE);
    Notify(combo, CBN_SELENDOK);
    if (IsWindow(combo))
        Notify(combo, CBN_SELCHANGE);
}

// The selection set by a message: no notification.
void SetSelection(HWND combo, ComboState& state, int item) {
    state.selection = item;
    InvalidateRect(combo, nullptr, FALSE);
    if (state.dropped) {
        state.highlight = item;
        InvalidateList(state);
        ShowItem(state, LayoutList(combo, state), item);
    }
}

unsigned char FoldCase(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? (unsigned char)(c - 'a' + 'A') : c;
}

bool StartsWith(const std::string& text, const char* prefix) {
    size_t length = strlen(prefix);
    if (text.size() < length)
        return false;
    for (size_t i = 0; i < length; ++i) {
        if (FoldCase((unsigned char)text[i]) != FoldCase((unsigned char)prefix[i]))
            return false;
    }
    return true;
}

bool SameText(const std::string& text, const char* other) {
    return text.size() == strlen(other) && StartsWith(text, other);
}

// The first item after start (wrapping, start itself last) whose text begins with prefix
// (or equals it); start -1 or out of range searches from the first item. -1 when none.
int FindItem(const ComboState& state, int start, const char* text, bool whole) {
    int count = Count(state);
    if (text == nullptr || count == 0)
        return -1;
    if (start < 0 || start >= count)
        start = -1;
    for (int step = 1; step <= count; ++step) {
        int item = (int)(((long long)start + step) % count);
        const std::string& itemText = state.items[(size_t)item].text;
        if (whole ? SameText(itemText, text) : StartsWith(itemText, text))
            return item;
    }
    return -1;
}

// Where a navigation key moves from item: -1 for a key that does not navigate.
int KeyTarget(const ComboState& state, int from, int key, int page) {
    int last = Count(state) - 1;
    if (last < 0)
        return -1;
    int step = std::max(page - 1, 1);
    int base = std::max(from, 0);
    switch (key) {
    case VK_UP:
        return from < 0 ? 0 : std::max(from - 1, 0);
    case VK_DOWN:
        return from < 0 ? 0 : std::min(from + 1, last);
    case VK_PRIOR:
        return (int)std::max((long long)base - step, 0LL);
    case VK_NEXT:
        return (int)std::min((long long)base + step, (long long)last);
    case VK_HOME:
        return 0;
    case VK_END:
        return last;
    default:
        return -1;
    }
}

// ---- Input -----------------------------------------------------------------------------

void ButtonDown(HWND combo, LPARAM lParam) {
    ComboState* state = State(combo);
    if (state == nullptr)
        return;
    POINT screen = ScreenPoint(combo, lParam);
    if (!state->dropped) {
        RECT field{0, 0, 0, 0};
        GetWindowRect(combo, &field);
        if (!Inside(field, screen))
            return;
        if (GetFocus() != combo) {
            SetFocus(combo);
            // Whoever lost the focus may have moved it on, or destroyed the combo.
            if ((state = State(combo)) == nullptr || GetFocus() != combo)
                return;
        }
        state->arrowPushed = true;
        state->mousePressed = true;
        InvalidateRect(combo, nullptr, FALSE);
        DropDown(combo);
        return;
    }
    ListLayout layout = LayoutList(combo, *state);
    if (!Inside(layout.rect, screen)) {
        Cancel(combo); // the field or anywhere else
        return;
    }
    ListParts parts = PartsOf(layout, *state);
    POINT point = InList(layout, screen);
    Scrolling part = ScrollPartAt(layout, parts, point);
    if (part != Scrolling::None) {
        state->scrolling = part;
        switch (part) {
        case Scrolling::LineUp:
            SetTop(*state, layout, state->top - 1);
            break;
        case Scrolling::LineDown:
            SetTop(*state, layout, state->top + 1);
            break;
        case Scrolling::PageUp:
            SetTop(*state, layout, state->top - layout.rows);
            break;
        case Scrolling::PageDown:
            SetTop(*state, layout, state->top + layout.rows);
            break;
        default:
            state->thumbGrip = point.y - parts.thumb.top;
            break;
        }
        InvalidateList(*state);
        return;
    }
    state->mousePressed = true;
    int item = ItemAt(layout, parts, *state, point);
    if (item >= 0)
        SetHighlight(combo, *state, item);
}

void DragThumb(ComboState& state, const ListLayout& layout, POINT point) {
    ListParts parts = PartsOf(layout, state);
    int thumb = parts.thumb.bottom - parts.thumb.top;
    int travel = parts.trackBottom - parts.trackTop - thumb;
    if (thumb <= 0 || travel <= 0)
        return;
    int offset = std::clamp(point.y - state.thumbGrip - parts.trackTop, 0, travel);
    long long top = ((long long)offset * parts.maxTop + travel / 2) / travel;
    SetTop(state, layout, (int)top);
}

void MouseMove(HWND combo, LPARAM lParam) {
    ComboState* state = State(combo);
    if (state == nullptr || !state->dropped)
        return;
    ListLayout layout = LayoutList(combo, *state);
    POINT point = InList(layout, ScreenPoint(combo, lParam));
    if (state->scrolling == Scrolling::Thumb) {
        DragThumb(*state, layout, point);
        return;
    }
    if (state->scrolling != Scrolling::None)
        return;
    int item = ItemAt(layout, PartsOf(layout, *state), *state, point);
    if (item >= 0)
        SetHighlight(combo, *state, item);
}

void ButtonUp(HWND combo, LPARAM lParam) {
    ComboState* state = State(combo);
    if (state == nullptr)
        return;
    bool pressed = state->mousePressed;
    state->mousePressed = false;
    if (state->arrowPushed) {
        state->arrowPushed = false;
        InvalidateRect(combo, nullptr, FALSE);
    }
    if (state->scrolling != Scrolling::None) {
        state->scrolling = Scrolling::None;
        InvalidateList(*state);
        return;
    }
    if (!state->dropped || !pressed)
        return;
    // Released over an item, after a press on the field or in the list: that item.
    ListLayout layout = LayoutList(combo, *state);
    POINT point = InList(layout, ScreenPoint(combo, lParam));
    int item = ItemAt(layout, PartsOf(layout, *state), *state, point);
    if (item < 0)
        return;
    state->highlight = item;
    Pick(combo);
}

void Wheel(HWND combo, WPARAM wParam) {
    ComboState* state = State(combo);
    if (state == nullptr)
        return;
    state->wheelRest += GET_WHEEL_DELTA_WPARAM(wParam);
    int notches = state->wheelRest / WHEEL_DELTA;
    state->wheelRest -= notches * WHEEL_DELTA;
    if (notches == 0)
        return;
    if (state->dropped) {
        ListLayout layout = LayoutList(combo, *state);
        SetTop(*state, layout,
               (int)std::clamp((long long)state->top - (long long)notches * kWheelLines, 0LL,
                               (long long)INT_MAX));
        return;
    }
    // The closed list steps its selection, one item a notch (away from the user is up).
    if (Count(*state) == 0)
        return;
    long long target = state->selection < 0 ? 0 : (long long)state->selection - notches;
    ChangeSelection(combo, (int)std::clamp(target, 0LL, (long long)Count(*state) - 1));
}

void KeyDown(HWND combo, WPARAM key) {
    ComboState* state = State(combo);
    if (state == nullptr)
        return;
    if (key == VK_F4) {
        if (state->dropped)
            Pick(combo);
        else
            DropDown(combo);
        return;
    }
    ListLayout layout = LayoutList(combo, *state);
    if (state->dropped) {
        if (key == VK_RETURN) {
            Pick(combo);
        } else if (key == VK_ESCAPE) {
            Cancel(combo);
        } else {
            int item = KeyTarget(*state, state->highlight, (int)key, layout.page);
            if (item >= 0)
                SetHighlight(combo, *state, item);
        }
        return;
    }
    int item = KeyTarget(*state, state->selection, (int)key, layout.page);
    if (item >= 0)
        ChangeSelection(combo, item);
}

void Character(HWND combo, WPARAM character) {
    ComboState* state = State(combo);
    if (state == nullptr || (character & 0xFF) < 0x20)
        return;
    char prefix[2] = {(char)(character & 0xFF), '\0'};
    if (state->dropped) {
        int item = FindItem(*state, state->highlight, prefix, false);
        if (item >= 0)
            SetHighlight(combo, *state, item);
        return;
    }
    int item = FindItem(*state, state->selection, prefix, false);
    if (item >= 0)
        ChangeSelection(combo, item);
}

// ---- Painting --------------------------------------------------------------------------

void DrawItemText(HDC dc, const std::string& text, RECT rect) {
    rect.left += kTextIndent;
    if (!text.empty() && rect.right > rect.left)
        DrawTextA(dc, text.data(), (int)std::min(text.size(), (size_t)INT_MAX), &rect,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void PaintField(HWND combo) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(combo, &paint);
    if (dc == nullptr)
        return;
    bool enabled = IsWindowEnabled(combo) != FALSE;
    HBRUSH brush = AskColors(combo, enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC, dc, combo);
    ComboState* state = State(combo);
    if (state == nullptr) { // destroyed while its parent chose the colours
        EndPaint(combo, &paint);
        return;
    }
    RECT client{0, 0, 0, 0};
    GetClientRect(combo, &client);
    RECT edge = client;
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
    RECT inner = client;
    InflateRect(&inner, -kEdge, -kEdge);
    FillRect(dc, &inner, brush);

    int innerWidth = std::max((int)(inner.right - inner.left), 0);
    int arrowWidth = std::min(GetSystemMetrics(SM_CXVSCROLL), innerWidth);
    RECT arrow{inner.right - arrowWidth, inner.top, inner.right, inner.bottom};
    UINT arrowState = DFCS_SCROLLCOMBOBOX;
    if (state->arrowPushed)
        arrowState |= DFCS_PUSHED;
    if (!enabled)
        arrowState |= DFCS_INACTIVE;
    DrawFrameControl(dc, &arrow, DFC_SCROLL, arrowState);

    RECT text{inner.left, inner.top, arrow.left, inner.bottom};
    InflateRect(&text, -kTextMargin, -kTextMargin);
    HGDIOBJ previousFont = state->font ? SelectObject(dc, state->font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    bool marked = state->focused && !state->dropped && enabled;
    bool selected = ValidIndex(*state, state->selection);
    if (marked && selected) {
        FillRect(dc, &text, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else if (!enabled) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    }
    if (selected)
        DrawItemText(dc, state->items[(size_t)state->selection].text, text);
    if (marked)
        DrawFocusRect(dc, &text);
    if (previousFont)
        SelectObject(dc, previousFont);
    EndPaint(combo, &paint);
}

void PaintList(HWND list, HWND combo) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(list, &paint);
    if (dc == nullptr)
        return;
    HBRUSH brush = IsWindow(combo) ? AskColors(combo, WM_CTLCOLORLISTBOX, dc, list) : nullptr;
    ComboState* state = IsWindow(combo) ? State(combo) : nullptr;
    if (state == nullptr || !IsWindow(list)) {
        EndPaint(list, &paint);
        return;
    }
    RECT client{0, 0, 0, 0};
    GetClientRect(list, &client);
    ListLayout layout = LayoutList(combo, *state);
    layout.rect = RECT{0, 0, client.right, client.bottom}; // as the window is now
    ListParts parts = PartsOf(layout, *state);

    RECT inside = client;
    InflateRect(&inside, -1, -1);
    FillRect(dc, &inside, brush);
    FrameRect(dc, &client, (HBRUSH)GetStockObject(BLACK_BRUSH));

    HGDIOBJ previousFont = state->font ? SelectObject(dc, state->font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    COLORREF textColor = GetTextColor(dc);
    int itemHeight = ItemHeight(*state);
    for (int row = 0; row < layout.rows; ++row) {
        long long item = (long long)state->top + row;
        if (item >= Count(*state))
            break;
        RECT rect{parts.items.left, parts.items.top + row * itemHeight, parts.items.right,
                  parts.items.top + (row + 1) * itemHeight};
        if (item == state->highlight) {
            FillRect(dc, &rect, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else {
            SetTextColor(dc, textColor);
        }
        DrawItemText(dc, state->items[(size_t)item].text, rect);
    }
    SetTextColor(dc, textColor);
    if (previousFont)
        SelectObject(dc, previousFont);

    if (layout.scrollBar) {
        FillRect(dc, &parts.bar, GetSysColorBrush(COLOR_BTNFACE));
        RECT up = parts.up, down = parts.down;
        DrawFrameControl(dc, &up, DFC_SCROLL,
                         DFCS_SCROLLUP | (state->scrolling == Scrolling::LineUp ? DFCS_PUSHED : 0));
        DrawFrameControl(dc, &down, DFC_SCROLL,
                         DFCS_SCROLLDOWN |
                             (state->scrolling == Scrolling::LineDown ? DFCS_PUSHED : 0));
        if (!IsRectEmpty(&parts.thumb)) {
            RECT thumb = parts.thumb;
            DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
        }
    }
    EndPaint(list, &paint);
}

// ---- The list window's procedure -------------------------------------------------------

HWND ComboOfList(HWND list) {
    ListState* state = ControlState<ListState>(list);
    return state ? state->combo : nullptr;
}

LRESULT CALLBACK ComboListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE: {
        auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        ListState* state = ControlState<ListState>(list);
        if (state && create)
            state->combo = (HWND)create->lpCreateParams;
        break;
    }
    case WM_ERASEBKGND:
        return 1; // painting covers it all
    case WM_PAINT:
        PaintList(list, ComboOfList(list));
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: {
        // The combo holds the mouse while the list is dropped; should the list get it
        // anyway, the combo handles it.
        HWND combo = ComboOfList(list);
        if (!IsWindow(combo))
            return 0;
        POINT point = ScreenPoint(list, lParam);
        ScreenToClient(combo, &point);
        return SendMessageA(combo, message, wParam, MAKELPARAM(point.x, point.y));
    }
    case WM_MOUSEWHEEL: {
        HWND combo = ComboOfList(list);
        return IsWindow(combo) ? SendMessageA(combo, message, wParam, lParam) : 0;
    }
    case WM_DESTROY: {
        HWND combo = ComboOfList(list);
        ComboState* state = IsWindow(combo) ? State(combo) : nullptr;
        if (state && state->list == list)
            state->list = nullptr;
        break;
    }
    default:
        break;
    }
    return DefWindowProcA(list, message, wParam, lParam);
}

// ---- Messages --------------------------------------------------------------------------

LRESULT AddString(HWND combo, ComboState& state, int index, LPCSTR text) {
    int count = Count(state);
    if (index == -1)
        index = count;
    if (index < 0 || index > count)
        return CB_ERR;
    if (count >= INT_MAX - 1)
        return CB_ERRSPACE;
    try {
        state.items.insert(state.items.begin() + index, ComboItem{text ? text : "", 0});
    } catch (const std::bad_alloc&) {
        return CB_ERRSPACE;
    }
    if (state.selection >= index)
        ++state.selection;
    if (state.dropped && state.highlight >= index)
        ++state.highlight;
    RefreshList(combo, state);
    return index;
}

LRESULT DeleteString(HWND combo, ComboState& state, int index) {
    if (!ValidIndex(state, index))
        return CB_ERR;
    state.items.erase(state.items.begin() + index);
    if (state.selection == index) {
        state.selection = -1;
        InvalidateRect(combo, nullptr, FALSE);
    } else if (state.selection > index) {
        --state.selection;
    }
    if (state.highlight == index)
        state.highlight = -1;
    else if (state.highlight > index)
        --state.highlight;
    RefreshList(combo, state);
    return Count(state);
}

const std::string* SelectedText(const ComboState& state) {
    return ValidIndex(state, state.selection) ? &state.items[(size_t)state.selection].text
                                              : nullptr;
}

} // namespace

LRESULT CALLBACK ComboBoxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ComboState* state = State(window);
    if (state == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_CREATE: {
        auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        state->extent = create ? create->cy : 0;
        Measure(window, *state);
        FitToField(window, false);
        return 0;
    }
    case WM_SIZE:
        // A new height from outside is a new extent for the list; the window stays the field.
        if (!state->resizing && state->fieldHeight > 0) {
            RECT rect{0, 0, 0, 0};
            GetWindowRect(window, &rect);
            int height = rect.bottom - rect.top;
            RECT frame{0, 0, 0, state->fieldHeight};
            AdjustWindowRectEx(&frame, (DWORD)GetWindowLongA(window, GWL_STYLE), FALSE,
                               (DWORD)GetWindowLongA(window, GWL_EXSTYLE));
            if (height != frame.bottom - frame.top) {
                state->extent = height;
                FitToField(window, true);
            }
        }
        if ((state = State(window)) != nullptr)
            RefreshList(window, *state);
        return 0;
    case WM_MOVE:
        RefreshList(window, *state);
        return 0;
    case WM_SETFONT:
        state->font = (HFONT)wParam;
        Measure(window, *state);
        FitToField(window, LOWORD(lParam) != 0);
        if ((state = State(window)) == nullptr)
            return 0;
        RefreshList(window, *state);
        if (LOWORD(lParam))
            InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return (LRESULT)state->font;
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
        // While dropped, Enter and Escape are the list's.
        auto* msg = reinterpret_cast<const MSG*>(lParam);
        if (state->dropped && msg && msg->message == WM_KEYDOWN &&
            (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
            code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_ERASEBKGND:
        return 1; // painting covers it all
    case WM_PAINT:
        PaintField(window);
        return 0;
    case WM_ENABLE:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_SETFOCUS:
        state->focused = true;
        InvalidateRect(window, nullptr, FALSE);
        Notify(window, CBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        Cancel(window);
        if ((state = State(window)) == nullptr)
            return 0;
        state->focused = false;
        InvalidateRect(window, nullptr, FALSE);
        Notify(window, CBN_KILLFOCUS);
        return 0;
    case WM_SHOWWINDOW:
        if (!wParam)
            Cancel(window); // a hidden field keeps no list open
        break;
    case WM_CANCELMODE:
        Cancel(window);
        if ((state = State(window)) != nullptr) {
            state->mousePressed = false;
            state->arrowPushed = false;
        }
        return 0;
    case WM_CAPTURECHANGED:
        // Someone else took the mouse: the list cannot stay open without it.
        if (state->dropped && (HWND)lParam != window)
            Cancel(window);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        ButtonDown(window, lParam);
        return 0;
    case WM_MOUSEMOVE:
        MouseMove(window, lParam);
        return 0;
    case WM_LBUTTONUP:
        ButtonUp(window, lParam);
        return 0;
    case WM_MOUSEWHEEL:
        Wheel(window, wParam);
        return 0;
    case WM_KEYDOWN:
        KeyDown(window, wParam);
        return 0;
    case WM_SYSKEYDOWN:
        // Alt+Down or Alt+Up opens the list, or picks from the open list.
        if ((wParam == VK_DOWN || wParam == VK_UP) && (HIWORD(lParam) & KF_ALTDOWN)) {
            if (state->dropped)
                Pick(window);
            else
                DropDown(window);
            return 0;
        }
        break;
    case WM_CHAR:
        Character(window, wParam);
        return 0;
    case WM_GETTEXT: {
        const std::string* text = SelectedText(*state);
        return CopyWindowText(text ? *text : std::string(), wParam, (LPSTR)lParam);
    }
    case WM_GETTEXTLENGTH: {
        const std::string* text = SelectedText(*state);
        return text ? (LRESULT)text->size() : 0;
    }
    case WM_SETTEXT: {
        // There is no field to type in: the text selects the item of that name.
        int item = FindItem(*state, -1, (LPCSTR)lParam, true);
        if (item < 0)
            return CB_ERR;
        SetSelection(window, *state, item);
        return TRUE;
    }
    case WM_DESTROY:
        if (state->list && IsWindow(state->list)) {
            HWND list = state->list;
            state->list = nullptr;
            DestroyWindow(list);
        }
        if ((state = State(window)) != nullptr)
            state->dropped = false;
        if (GetCapture() == window)
            ReleaseCapture();
        return 0;

    case CB_ADDSTRING:
        return AddString(window, *state, -1, (LPCSTR)lParam);
    case CB_INSERTSTRING:
        return AddString(window, *state, (int)wParam, (LPCSTR)lParam);
    case CB_DELETESTRING:
        return DeleteString(window, *state, (int)wParam);
    case CB_RESETCONTENT:
        state->items.clear();
        state->selection = -1;
        state->highlight = -1;
        state->top = 0;
        InvalidateRect(window, nullptr, FALSE);
        RefreshList(window, *state);
        return CB_OKAY;
    case CB_GETCOUNT:
        return Count(*state);
    case CB_GETCURSEL:
        return ValidIndex(*state, state->selection) ? state->selection : CB_ERR;
    case CB_SETCURSEL: {
        int item = (int)wParam;
        if (item == -1) {
            SetSelection(window, *state, -1);
            return CB_ERR;
        }
        if (!ValidIndex(*state, item))
            return CB_ERR; // the selection stays
        SetSelection(window, *state, item);
        return item;
    }
    case CB_GETLBTEXT: {
        int item = (int)wParam;
        if (!ValidIndex(*state, item) || lParam == 0)
            return CB_ERR;
        const std::string& text = state->items[(size_t)item].text;
        memcpy((LPSTR)lParam, text.c_str(), text.size() + 1);
        return (LRESULT)text.size();
    }
    case CB_GETLBTEXTLEN: {
        int item = (int)wParam;
        if (!ValidIndex(*state, item))
            return CB_ERR;
        return (LRESULT)state->items[(size_t)item].text.size();
    }
    case CB_GETITEMDATA: {
        int item = (int)wParam;
        if (!ValidIndex(*state, item))
            return CB_ERR;
        return (LRESULT)state->items[(size_t)item].data;
    }
    case CB_SETITEMDATA: {
        int item = (int)wParam;
        if (!ValidIndex(*state, item))
            return CB_ERR;
        state->items[(size_t)item].data = (ULONG_PTR)lParam;
        return TRUE;
    }
    case CB_FINDSTRING:
        return FindItem(*state, (int)wParam, (LPCSTR)lParam, false);
    case CB_SELECTSTRING: {
        int item = FindItem(*state, (int)wParam, (LPCSTR)lParam, false);
        if (item >= 0)
            SetSelection(window, *state, item);
        return item;
    }
    case CB_SHOWDROPDOWN:
        if (wParam)
            DropDown(window);
        else
            Cancel(window);
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return state->dropped ? TRUE : FALSE;
    case CB_GETDROPPEDCONTROLRECT:
        if (lParam == 0)
            return FALSE;
        *(RECT*)lParam = LayoutList(window, *state).rect;
        return TRUE;
    case CB_GETITEMHEIGHT:
        return ItemHeight(*state);
    case CB_GETTOPINDEX:
        return state->top;
    case CB_SETTOPINDEX: {
        int item = (int)wParam;
        if (!ValidIndex(*state, item))
            return CB_ERR;
        SetTop(*state, LayoutList(window, *state), item);
        return CB_OKAY;
    }
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
