// The edit control: one line of text with a caret and a selection, typed into, edited with
// the keys, the mouse and the clipboard, scrolled sideways to keep the caret in view, and
// painted in the colours its parent asks for.
//
// Everything the control knows lives in its EditState, kept with the window, so that a
// program may subclass the control and hand messages on with CallWindowProcA. Any message
// sent out (a notification, a colour request, SetFocus) may destroy the window: after one,
// the state is looked up again by the handle and the work stops when it is gone.
#include "platform/controls.h"

#include "platform/window_internal.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// What one line can hold. The user's limit is never higher; texts set by the program are
// cut here too.
constexpr size_t kCapacity = 0x7FFE;

// The text starts one pixel in from the left edge of the client area.
constexpr int kMargin = 1;

struct EditState {
    std::string text;
    size_t anchor = 0; // the end of the selection that stays put
    size_t caret = 0;  // the other end, where the caret is
    size_t limit = kCapacity;
    size_t first = 0; // the first character shown: the horizontal scroll
    HFONT font = nullptr;
    bool focused = false;
    bool selecting = false; // the left button went down here and the mouse is captured
    bool hasCaret = false;  // the caret was made here and not yet destroyed
};

EditState* State(HWND window) {
    return IsWindow(window) ? ControlState<EditState>(window) : nullptr;
}

size_t SelStart(const EditState& s) {
    return std::min(s.anchor, s.caret);
}
size_t SelEnd(const EditState& s) {
    return std::max(s.anchor, s.caret);
}

DWORD Style(HWND window) {
    return (DWORD)GetWindowLongA(window, GWL_STYLE);
}

bool ReadOnly(HWND window) {
    return (Style(window) & ES_READONLY) != 0;
}

int ClientWidth(HWND window) {
    RECT client{0, 0, 0, 0};
    GetClientRect(window, &client);
    return std::max<int>(client.right - client.left, 0);
}

// The room the text has on screen: the caret, one pixel wide, must fit after its last
// character.
int TextRoom(HWND window) {
    return std::max(ClientWidth(window) - 2 * kMargin, 0);
}

// Text measured with the control's font: on a device context of the window (or the one
// being painted), with the font selected while measuring.
class Measure {
  public:
    Measure(HWND window, HFONT font, HDC dc = nullptr)
        : window_(window), dc_(dc ? dc : GetDC(window)), own_(dc == nullptr) {
        if (dc_ && font)
            previous_ = SelectObject(dc_, font);
    }
    ~Measure() {
        if (!dc_)
            return;
        if (previous_)
            SelectObject(dc_, previous_);
        if (own_)
            ReleaseDC(window_, dc_);
    }
    Measure(const Measure&) = delete;
    Measure& operator=(const Measure&) = delete;

    // The width of text[from, to).
    int Width(const std::string& text, size_t from, size_t to) const {
        to = std::min(to, text.size());
        if (!dc_ || to <= from)
            return 0;
        SIZE size{0, 0};
        if (!GetTextExtentPoint32A(dc_, text.data() + from, (int)(to - from), &size))
            return 0;
        return size.cx;
    }

    int Height() const {
        TEXTMETRICA metrics{};
        if (!dc_ || !GetTextMetricsA(dc_, &metrics))
            return 0;
        return metrics.tmHeight;
    }

    // The last end in [from, last] with Width(from, end) <= room. Widths grow with the
    // length, so the search doubles its step and then halves it; it measures little more
    // than what fits, however long the text.
    size_t FitForward(const std::string& text, size_t from, size_t last, int room) const {
        size_t good = from, step = 16;
        size_t bad = last + 1;
        while (good < last) {
            size_t probe = std::min(last, good + step);
            if (Width(text, from, probe) > room) {
                bad = probe;
                break;
            }
            good = probe;
            step *= 2;
        }
        while (bad - good > 1) {
            size_t middle = good + (bad - good) / 2;
            if (Width(text, from, middle) > room)
                bad = middle;
            else
                good = middle;
        }
        return good;
    }

    // The first start in [lowest, to] with Width(start, to) <= room.
    size_t FitBackward(const std::string& text, size_t to, size_t lowest, int room) const {
        size_t good = to, step = 16;
        size_t bad = lowest; // bad < good means "not yet found too wide"
        bool found = false;
        while (good > lowest) {
            size_t probe = good - std::min(step, good - lowest);
            if (Width(text, probe, to) > room) {
                bad = probe;
                found = true;
                break;
            }
            good = probe;
            step *= 2;
        }
        if (!found)
            return good;
        while (good - bad > 1) {
            size_t middle = bad + (good - bad) / 2;
            if (Width(text, middle, to) > room)
                bad = middle;
            else
                good = middle;
        }
        return good;
    }

  private:
    HWND window_;
    HDC dc_;
    bool own_;
    HGDIOBJ previous_ = nullptr;
};

// With ES_AUTOHSCROLL: scrolls as little as keeps the caret in view, and shows as much of
// the text's end as fits. Without it the text always starts at its first character.
void ScrollToCaret(HWND window, EditState& s) {
    if (!(Style(window) & ES_AUTOHSCROLL)) {
        s.first = 0;
        return;
    }
    Measure measure(window, s.font);
    int room = TextRoom(window);
    size_t first = std::min(s.first, s.text.size());
    if (s.caret < first)
        first = s.caret;
    else
        first = measure.FitBackward(s.text, s.caret, first, room);
    // Room left after the end of the text: bring back what was scrolled out on the left.
    size_t tail = measure.FitBackward(s.text, s.text.size(), 0, room);
    s.first = std::min(first, tail);
}

void PlaceCaret(HWND window, const EditState& s) {
    if (!s.hasCaret)
        return;
    Measure measure(window, s.font);
    int x = s.caret >= s.first ? measure.Width(s.text, s.first, s.caret)
                               : -measure.Width(s.text, s.caret, s.first);
    SetCaretPos(kMargin + x, 0);
}

void MakeCaret(HWND window, EditState& s) {
    int height = Measure(window, s.font).Height();
    CreateCaret(window, nullptr, 1, height);
    s.hasCaret = true;
    PlaceCaret(window, s);
    ShowCaret(window);
}

void Redraw(HWND window) {
    InvalidateRect(window, nullptr, FALSE);
}

// After the caret or the selection moved: scroll if needed, move the caret, repaint.
void SelectionMoved(HWND window, EditState& s, bool scroll) {
    if (scroll)
        ScrollToCaret(window, s);
    PlaceCaret(window, s);
    Redraw(window);
}

void SetSelection(HWND window, EditState& s, size_t anchor, size_t caret, bool scroll) {
    s.anchor = std::min(anchor, s.text.size());
    s.caret = std::min(caret, s.text.size());
    SelectionMoved(window, s, scroll);
}

// Tells the parent (WM_COMMAND with the control's identifier and the code). Returns the
// state again, or nullptr when the window did not survive it.
EditState* Notify(HWND window, WORD code) {
    if (HWND parent = GetParent(window)) {
        WPARAM wParam = MAKEWPARAM((WORD)GetDlgCtrlID(window), code);
        SendMessageA(parent, WM_COMMAND, wParam, (LPARAM)window);
    }
    return State(window);
}

void NotifyChanged(HWND window) {
    if (Notify(window, EN_UPDATE))
        Notify(window, EN_CHANGE);
}

enum class Limit {
    User,     // typing, pasting and EM_REPLACESEL: the user's limit, and without
              // ES_AUTOHSCROLL no more than the field shows
    Capacity, // a text the program sets: only what a line can hold
};

// How much of insert may replace text[from, to): the user's limit or the capacity, and
// for the user without ES_AUTOHSCROLL no more than the field shows.
size_t Allowed(HWND window, const EditState& s, size_t from, size_t to, const std::string& insert,
               Limit limit) {
    size_t kept = s.text.size() - (to - from);
    size_t most = limit == Limit::User ? s.limit : kCapacity;
    size_t count = std::min(insert.size(), most > kept ? most - kept : 0);
    if (limit == Limit::Capacity || (Style(window) & ES_AUTOHSCROLL) || count == 0)
        return count;
    Measure measure(window, s.font);
    int room = TextRoom(window);
    auto fits = [&](size_t n) {
        std::string line = s.text.substr(0, from) + insert.substr(0, n) + s.text.substr(to);
        return measure.Width(line, 0, line.size()) <= room;
    };
    if (fits(count))
        return count;
    size_t good = 0, bad = count;
    while (bad - good > 1) {
        size_t middle = good + (bad - good) / 2;
        (fits(middle) ? good : bad) = middle;
    }
    return good;
}

// Replaces text[from, to) with insert, or as much of it as is allowed (EN_MAXTEXT when
// not all), puts the caret after it and tells the parent. False when nothing changed.
bool Replace(HWND window, EditState& s, size_t from, size_t to, const std::string& insert,
             Limit limit) {
    EditState* current = &s;
    from = std::min(from, current->text.size());
    to = std::clamp(to, from, current->text.size());
    size_t count = Allowed(window, *current, from, to, insert, limit);
    if (count < insert.size()) {
        if ((current = Notify(window, EN_MAXTEXT)) == nullptr)
            return false;
        // The parent may have changed the text meanwhile: work on what is there now.
        from = std::min(from, current->text.size());
        to = std::clamp(to, from, current->text.size());
        count = Allowed(window, *current, from, to, insert, limit);
    }
    if (count == 0 && from == to)
        return false;
    current->text.replace(from, to - from, insert, 0, count);
    current->anchor = current->caret = from + count;
    SelectionMoved(window, *current, true);
    NotifyChanged(window);
    return true;
}

bool ReplaceSelection(HWND window, EditState& s, const std::string& insert, Limit limit) {
    return Replace(window, s, SelStart(s), SelEnd(s), insert, limit);
}

// Puts the selected text on the clipboard. False when nothing is selected or the
// clipboard could not take it; the clipboard is emptied only once the text is ready.
bool Copy(HWND window, const EditState& s) {
    size_t start = SelStart(s), end = SelEnd(s);
    if (start == end)
        return false;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, end - start + 1);
    char* memory = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
    if (memory == nullptr) {
        if (block)
            GlobalFree(block);
        return false;
    }
    memcpy(memory, s.text.data() + start, end - start);
    memory[end - start] = '\0';
    GlobalUnlock(block);
    bool done = false;
    if (OpenClipboard(window)) {
        done = EmptyClipboard() && SetClipboardData(CF_TEXT, block) != nullptr;
        CloseClipboard();
    }
    if (!done)
        GlobalFree(block);
    return done;
}

// The clipboard's text up to its first line break; false when it holds no text.
bool ClipboardLine(HWND window, std::string& line) {
    if (!OpenClipboard(window))
        return false;
    bool found = false;
    if (HANDLE block = GetClipboardData(CF_TEXT)) {
        if (const char* memory = static_cast<const char*>(GlobalLock(block))) {
            size_t length = strnlen(memory, GlobalSize(block));
            line.assign(memory, length);
            GlobalUnlock(block);
            found = true;
        }
    }
    CloseClipboard();
    if (found)
        line.resize(std::min(line.find_first_of("\r\n"), line.size()));
    return found;
}

void Cut(HWND window, EditState& s) {
    // The text goes only once the clipboard holds it.
    if (!ReadOnly(window) && Copy(window, s))
        ReplaceSelection(window, s, std::string(), Limit::User);
}

void Paste(HWND window, EditState& s) {
    std::string line;
    if (!ReadOnly(window) && ClipboardLine(window, line))
        ReplaceSelection(window, s, line, Limit::User);
}

void Clear(HWND window, EditState& s) {
    if (!ReadOnly(window))
        ReplaceSelection(window, s, std::string(), Limit::User);
}

// The character boundary nearest to x (client coordinates). Left of the client area, one
// character before the first shown, so that dragging there scrolls.
size_t CharFromX(HWND window, const EditState& s, int x) {
    size_t first = std::min(s.first, s.text.size());
    if (x < 0)
        return first > 0 ? first - 1 : 0;
    Measure measure(window, s.font);
    int target = x - kMargin;
    if (target <= 0)
        return first;
    size_t end = measure.FitForward(s.text, first, s.text.size(), target);
    if (end >= s.text.size())
        return s.text.size();
    int left = measure.Width(s.text, first, end);
    int right = measure.Width(s.text, first, end + 1);
    return 2 * target < left + right ? end : end + 1;
}

// The focus for a click, if the control has not got it. False when it did not get it (a
// subclass may pass it on) or the window is gone.
bool TakeFocus(HWND window) {
    if (GetFocus() == window)
        return true;
    SetFocus(window);
    return IsWindow(window) && GetFocus() == window;
}

LRESULT OnChar(HWND window, EditState& s, WPARAM wParam) {
    if (wParam > 0xFF)
        return 0;
    unsigned char c = (unsigned char)wParam;
    bool readOnly = ReadOnly(window);
    switch (c) {
    case 1: // Ctrl+A
        SendMessageA(window, EM_SETSEL, 0, -1);
        return 0;
    case 3: // Ctrl+C
        SendMessageA(window, WM_COPY, 0, 0);
        return 0;
    case 22: // Ctrl+V
        if (!readOnly)
            SendMessageA(window, WM_PASTE, 0, 0);
        return 0;
    case 24: // Ctrl+X
        if (!readOnly)
            SendMessageA(window, WM_CUT, 0, 0);
        return 0;
    case 8: // Backspace
        if (readOnly)
            return 0;
        if (SelStart(s) != SelEnd(s))
            ReplaceSelection(window, s, std::string(), Limit::User);
        else if (s.caret > 0)
            Replace(window, s, s.caret - 1, s.caret, std::string(), Limit::User);
        return 0;
    default:
        break;
    }
    // Other control characters, Tab and Enter among them, and Delete (127) insert nothing.
    if (c < 32 || c == 127 || readOnly)
        return 0;
    ReplaceSelection(window, s, std::string(1, (char)c), Limit::User);
    return 0;
}

LRESULT OnKeyDown(HWND window, EditState& s, WPARAM key) {
    bool shift = GetKeyState(VK_SHIFT) < 0;
    bool control = GetKeyState(VK_CONTROL) < 0;
    size_t length = s.text.size();
    bool selected = s.anchor != s.caret;
    switch (key) {
    case VK_LEFT:
        if (shift)
            SetSelection(window, s, s.anchor, s.caret > 0 ? s.caret - 1 : 0, true);
        else if (selected)
            SetSelection(window, s, SelStart(s), SelStart(s), true);
        else
            SetSelection(window, s, s.caret > 0 ? s.caret - 1 : 0, s.caret > 0 ? s.caret - 1 : 0,
                         true);
        break;
    case VK_RIGHT: {
        size_t next = std::min(s.caret + 1, length);
        if (shift)
            SetSelection(window, s, s.anchor, next, true);
        else if (selected)
            SetSelection(window, s, SelEnd(s), SelEnd(s), true);
        else
            SetSelection(window, s, next, next, true);
        break;
    }
    case VK_HOME:
        SetSelection(window, s, shift ? s.anchor : 0, 0, true);
        break;
    case VK_END:
        SetSelection(window, s, shift ? s.anchor : length, length, true);
        break;
    case VK_DELETE:
        if (ReadOnly(window))
            break;
        if (selected && shift)
            Cut(window, s);
        else if (selected)
            Clear(window, s);
        else if (s.caret < length)
            Replace(window, s, s.caret, s.caret + 1, std::string(), Limit::User);
        break;
    case VK_INSERT:
        if (shift && !control)
            Paste(window, s);
        else if (control && !shift)
            Copy(window, s);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT OnButtonDown(HWND window, WPARAM keys, LPARAM lParam, bool doubleClick) {
    if (!TakeFocus(window))
        return 0;
    EditState* s = State(window);
    if (!s)
        return 0;
    if (doubleClick) {
        s->selecting = false;
        SetSelection(window, *s, 0, s->text.size(), true);
        return 0;
    }
    // The caret goes where the click was, after the focus handling (which may have selected
    // everything): the selection ends up empty, or extended from its anchor with Shift.
    size_t position = CharFromX(window, *s, GET_X_LPARAM(lParam));
    SetSelection(window, *s, (keys & MK_SHIFT) ? s->anchor : position, position, true);
    s->selecting = true;
    SetCapture(window);
    return 0;
}

LRESULT OnMouseMove(HWND window, EditState& s, LPARAM lParam) {
    if (!s.selecting || GetCapture() != window)
        return 0;
    size_t position = CharFromX(window, s, GET_X_LPARAM(lParam));
    if (position != s.caret)
        SetSelection(window, s, s.anchor, position, true);
    return 0;
}

void DrawRun(HDC dc, const EditState& s, const Measure& measure, size_t from, size_t to,
             const RECT& client, bool highlighted) {
    if (to <= from)
        return;
    int x = kMargin + measure.Width(s.text, s.first, from);
    const char* text = s.text.data() + from;
    UINT count = (UINT)(to - from);
    if (!highlighted) {
        ExtTextOutA(dc, x, 0, ETO_CLIPPED, &client, text, count, nullptr);
        return;
    }
    COLORREF textColor = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    COLORREF background = SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    RECT cell{x, 0, x + measure.Width(s.text, from, to), measure.Height()};
    RECT box;
    if (IntersectRect(&box, &cell, &client))
        ExtTextOutA(dc, x, 0, ETO_OPAQUE | ETO_CLIPPED, &box, text, count, nullptr);
    SetTextColor(dc, textColor);
    SetBkColor(dc, background);
}

LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (!dc)
        return 0;
    // A read-only or disabled field is coloured like static text.
    DWORD style = Style(window);
    bool disabled = (style & WS_DISABLED) != 0;
    UINT request = (style & ES_READONLY) || disabled ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    HWND parent = GetParent(window);
    HBRUSH brush =
        parent ? (HBRUSH)SendMessageA(parent, request, (WPARAM)dc, (LPARAM)window) : nullptr;
    if (!brush)
        brush =
            (HBRUSH)DefWindowProcA(parent ? parent : window, request, (WPARAM)dc, (LPARAM)window);
    EditState* s = State(window);
    if (!s) {
        EndPaint(window, &paint);
        return 0;
    }
    RECT client{0, 0, 0, 0};
    GetClientRect(window, &client);
    FillRect(dc, &client, brush);
    if (disabled)
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));

    Measure measure(window, s->font, dc);
    size_t length = s->text.size();
    s->first = std::min(s->first, length);
    // The characters that start inside the client area.
    size_t last = measure.FitForward(s->text, s->first, length, client.right - kMargin);
    last = std::min(last + 1, length);
    size_t selStart = std::clamp(SelStart(*s), s->first, last);
    size_t selEnd = std::clamp(SelEnd(*s), s->first, last);
    if (!s->focused)
        selStart = selEnd = last;
    DrawRun(dc, *s, measure, s->first, selStart, client, false);
    DrawRun(dc, *s, measure, selStart, selEnd, client, true);
    DrawRun(dc, *s, measure, selEnd, last, client, false);
    EndPaint(window, &paint);
    return 0;
}

} // namespace

LRESULT CALLBACK EditWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    EditState* s = State(window);
    if (!s)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_NCCREATE: {
        LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (create && create->lpszName && !IS_INTRESOURCE(create->lpszName) &&
            (s = State(window)) != nullptr)
            s->text.assign(create->lpszName, strnlen(create->lpszName, kCapacity));
        return result;
    }
    case WM_SETTEXT: {
        // The program's text: as much as a line holds, the caret at its start.
        const char* text = reinterpret_cast<const char*>(lParam);
        size_t length = text ? strnlen(text, kCapacity + 1) : 0;
        bool whole = length <= kCapacity;
        s->text.assign(text ? text : "", std::min(length, kCapacity));
        s->anchor = s->caret = 0;
        s->first = 0;
        SelectionMoved(window, *s, false);
        NotifyChanged(window);
        return whole ? TRUE : FALSE;
    }
    case WM_GETTEXT:
        return CopyWindowText(s->text, wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH:
        return (LRESULT)s->text.size();
    case EM_GETSEL: {
        DWORD start = (DWORD)SelStart(*s), end = (DWORD)SelEnd(*s);
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = start;
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = end;
        return MAKELRESULT(start, end);
    }
    case EM_SETSEL: {
        // Negative positions count as past the end; a start of -1 keeps only the caret.
        DWORD start = (DWORD)wParam, end = (DWORD)lParam;
        if (start == (DWORD)-1)
            SetSelection(window, *s, s->caret, s->caret, false);
        else
            SetSelection(window, *s, start, end, false);
        return 0;
    }
    case EM_REPLACESEL: {
        const char* text = reinterpret_cast<const char*>(lParam);
        ReplaceSelection(window, *s, text ? std::string(text, strnlen(text, kCapacity)) : "",
                         Limit::User);
        return 0;
    }
    case EM_SCROLLCARET:
        SelectionMoved(window, *s, true);
        return TRUE;
    case EM_LIMITTEXT:
        // 0 or anything above the capacity: the capacity.
        s->limit = wParam == 0 || wParam > kCapacity ? kCapacity : (size_t)wParam;
        return 0;
    case EM_GETLIMITTEXT:
        return (LRESULT)s->limit;
    case EM_SETREADONLY: {
        DWORD style = Style(window);
        SetWindowLongA(window, GWL_STYLE,
                       (LONG)(wParam ? style | ES_READONLY : style & ~(DWORD)ES_READONLY));
        Redraw(window);
        return TRUE;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_SETFONT:
        s->font = (HFONT)wParam;
        if (s->hasCaret) {
            DestroyCaret();
            MakeCaret(window, *s);
        }
        ScrollToCaret(window, *s);
        PlaceCaret(window, *s);
        if (LOWORD(lParam))
            Redraw(window);
        return 0;
    case WM_GETFONT:
        return (LRESULT)s->font;
    case WM_SIZE:
        SelectionMoved(window, *s, true);
        return 0;
    case WM_ENABLE:
        Redraw(window);
        return 0;
    case WM_SETFOCUS:
        s->focused = true;
        MakeCaret(window, *s);
        Redraw(window);
        Notify(window, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        s->focused = false;
        if (s->hasCaret) {
            s->hasCaret = false;
            HideCaret(window);
            DestroyCaret();
        }
        Redraw(window);
        Notify(window, EN_KILLFOCUS);
        return 0;
    case WM_CHAR:
        return OnChar(window, *s, wParam);
    case WM_KEYDOWN:
        return OnKeyDown(window, *s, wParam);
    case WM_COPY:
        Copy(window, *s);
        return 0;
    case WM_CUT:
        Cut(window, *s);
        return 0;
    case WM_PASTE:
        Paste(window, *s);
        return 0;
    case WM_CLEAR:
        Clear(window, *s);
        return 0;
    case WM_LBUTTONDOWN:
        return OnButtonDown(window, wParam, lParam, false);
    case WM_LBUTTONDBLCLK:
        return OnButtonDown(window, wParam, lParam, true);
    case WM_MOUSEMOVE:
        return OnMouseMove(window, *s, lParam);
    case WM_LBUTTONUP:
        if (s->selecting) {
            s->selecting = false;
            if (GetCapture() == window)
                ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        if ((HWND)lParam != window)
            s->selecting = false;
        return 0;
    case WM_ERASEBKGND:
        return 1; // WM_PAINT fills the whole client area
    case WM_PAINT:
        return OnPaint(window);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
