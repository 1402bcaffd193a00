// What needs painting: update regions, WM_PAINT, BeginPaint and EndPaint, and the device
// contexts of windows (GetDC, ReleaseDC), which draw on the surface of the top-level window.
#include "platform/window_manager.h"

#include <algorithm>
#include <unordered_set>

namespace {

bool IsEmpty(const RECT& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

RECT Intersect(const RECT& a, const RECT& b) {
    RECT result{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
    return IsEmpty(result) ? RECT{0, 0, 0, 0} : result;
}

RECT Union(const RECT& a, const RECT& b) {
    if (IsEmpty(a))
        return b;
    if (IsEmpty(b))
        return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

// Whether the window is on the screen: it and its ancestors shown, none minimised.
bool IsShown(const Window& record) {
    for (const Window* w = &record; w; w = WmFind(w->parent)) {
        if (!(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE))
            return false;
    }
    return true;
}

// Children are kept topmost first; they are painted from the bottom up, so that the
// topmost ends on top.
HWND FirstToPaint(HWND window) {
    Window* record = WmFind(window);
    if (!record || !(record->style & WS_VISIBLE) || (record->style & WS_MINIMIZE))
        return nullptr;
    if (record->invalid)
        return window;
    for (auto it = record->children.rbegin(); it != record->children.rend(); ++it) {
        if (HWND found = FirstToPaint(*it))
            return found;
    }
    return nullptr;
}

// The windows that called BeginPaint since their last WM_PAINT was done with.
std::unordered_set<HWND>& Begun() {
    static std::unordered_set<HWND> windows;
    return windows;
}

void ClearUpdate(Window& record) {
    record.invalid = false;
    record.erase = false;
    record.update = RECT{0, 0, 0, 0};
}

// Sends WM_ERASEBKGND with a DC that draws only inside area; true when the window erased.
bool Erase(HWND window, const RECT& area) {
    HDC dc = GdiCreateDC(CurrentGdiDevice(), window);
    if (!dc)
        return false;
    GdiLimitDC(dc, area);
    bool erased = SendMessageA(window, WM_ERASEBKGND, (WPARAM)dc, 0) != 0;
    GdiDeleteDC(dc);
    return erased;
}

// Sends WM_PAINT; a window that does not validate itself is not asked again until it is
// invalidated anew.
void Paint(HWND window) {
    SendMessageA(window, WM_PAINT, 0, 0);
    WmValidate(window);
}

void UpdateTree(HWND window) {
    Window* record = WmFind(window);
    if (!record)
        return;
    if (record->invalid && IsShown(*record))
        Paint(window);
    if ((record = WmFind(window)) == nullptr)
        return;
    std::vector<HWND> children = record->children;
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        UpdateTree(*it);
}

} // namespace

void WmInvalidate(HWND window, const RECT* rect, bool erase) {
    Window* record = WmFind(window);
    if (!record)
        return;
    RECT client = WmClientRect(*record);
    RECT area = rect ? Intersect(*rect, client) : client;
    if (IsEmpty(area))
        return;
    record->update = record->invalid ? Union(record->update, area) : area;
    record->invalid = true;
    record->erase = record->erase || erase;
    CurrentDisplay().WindowInvalidated(window, area);
    if (record->style & WS_CLIPCHILDREN)
        return;
    // Without WS_CLIPCHILDREN the children in the area need painting too.
    std::vector<HWND> children = record->children;
    for (HWND child : children) {
        Window* childRecord = WmFind(child);
        if (!childRecord)
            continue;
        RECT overlap = Intersect(area, childRecord->rect);
        if (IsEmpty(overlap))
            continue;
        POINT origin = WmClientOrigin(*childRecord);
        POINT parentOrigin = WmClientOrigin(*record);
        int dx = origin.x - parentOrigin.x, dy = origin.y - parentOrigin.y;
        RECT inChild{overlap.left - dx, overlap.top - dy, overlap.right - dx, overlap.bottom - dy};
        WmInvalidate(child, &inChild, erase);
    }
}

void WmValidate(HWND window) {
    bool begun = Begun().erase(window) > 0;
    Window* record = WmFind(window);
    if (!record)
        return;
    if (begun || !record->invalid || !IsShown(*record)) {
        ClearUpdate(*record);
        return;
    }
    // It left its WM_PAINT without BeginPaint: it still gets what BeginPaint gives, its
    // border and its background, and its children their borders.
    RECT area = record->update;
    bool erase = record->erase;
    ClearUpdate(*record);
    WmDrawFrame(window);
    if (erase) {
        Erase(window, area);
        WmDrawChildFrames(window);
        WmRepaintWindowsAbove(window, area);
    }
}

HWND WmNextPaintWindow(HWND filter) {
    if (filter) {
        Window* record = WmFind(filter);
        if (!record || !IsShown(*record))
            return nullptr;
        return FirstToPaint(filter);
    }
    for (HWND top : Wm().topLevels) {
        if (HWND found = FirstToPaint(top))
            return found;
    }
    return nullptr;
}

BOOL WINAPI InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
    if (window == nullptr) {
        std::vector<HWND> tops = Wm().topLevels;
        for (HWND top : tops)
            WmInvalidate(top, nullptr, erase != FALSE);
        return TRUE;
    }
    if (!WmFind(window))
        return FALSE;
    WmInvalidate(window, rect, erase != FALSE);
    return TRUE;
}

BOOL WINAPI ValidateRect(HWND window, const RECT* rect) {
    Window* record = WmFind(window);
    if (!record)
        return FALSE;
    // The update region is one rectangle: validating part of it keeps what is left only
    // when a whole band at one side goes.
    if (rect == nullptr || !record->invalid) {
        ClearUpdate(*record);
        return TRUE;
    }
    RECT& update = record->update;
    RECT cut = Intersect(*rect, update);
    if (IsEmpty(cut))
        return TRUE;
    bool fullWidth = cut.left == update.left && cut.right == update.right;
    bool fullHeight = cut.top == update.top && cut.bottom == update.bottom;
    if (fullWidth && fullHeight)
        ClearUpdate(*record);
    else if (fullWidth && cut.top == update.top)
        update.top = cut.bottom;
    else if (fullWidth && cut.bottom == update.bottom)
        update.bottom = cut.top;
    else if (fullHeight && cut.left == update.left)
        update.left = cut.right;
    else if (fullHeight && cut.right == update.right)
        update.right = cut.left;
    return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND window, LPRECT rect, BOOL erase) {
    Window* record = WmFind(window);
    if (!record)
        return FALSE;
    bool invalid = record->invalid;
    if (rect)
        *rect = invalid ? record->update : RECT{0, 0, 0, 0};
    if (invalid && erase && record->erase) {
        if (Erase(window, record->update)) {
            if (Window* again = WmFind(window))
                again->erase = false;
        }
    }
    return invalid ? TRUE : FALSE;
}

BOOL WINAPI UpdateWindow(HWND window) {
    if (!WmFind(window))
        return FALSE;
    UpdateTree(window);
    return TRUE;
}

HDC WINAPI BeginPaint(HWND window, LPPAINTSTRUCT paint) {
    Window* record = WmFind(window);
    if (!record || paint == nullptr)
        return nullptr;
    *paint = PAINTSTRUCT{};
    bool erase = record->invalid && record->erase;
    paint->rcPaint = record->invalid ? record->update : RECT{0, 0, 0, 0};
    ClearUpdate(*record);
    Begun().insert(window);
    // The DC draws only inside the update rectangle (nowhere when nothing was invalid).
    HDC dc = GdiCreateDC(CurrentGdiDevice(), window);
    if (dc == nullptr)
        return nullptr;
    GdiLimitDC(dc, paint->rcPaint);
    paint->hdc = dc;
    if (!IsEmpty(paint->rcPaint))
        WmDrawFrame(window);
    paint->fErase = erase ? !SendMessageA(window, WM_ERASEBKGND, (WPARAM)dc, 0) : FALSE;
    return dc;
}

BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT* paint) {
    (void)window;
    if (paint == nullptr || paint->hdc == nullptr)
        return FALSE;
    // The window's painting may have covered its children's borders: they go back on.
    HWND painted = GdiWindowOfDC(paint->hdc);
    GdiDeleteDC(paint->hdc);
    if (painted && !IsEmpty(paint->rcPaint)) {
        WmDrawChildFrames(painted);
        WmRepaintWindowsAbove(painted, paint->rcPaint);
    }
    return TRUE;
}

HDC WINAPI GetDC(HWND window) {
    if (window != nullptr && !WmFind(window))
        return nullptr;
    return GdiCreateDC(CurrentGdiDevice(), window);
}

int WINAPI ReleaseDC(HWND window, HDC dc) {
    if (dc == nullptr || GdiWindowOfDC(dc) != window)
        return 0;
    return GdiDeleteDC(dc) ? 1 : 0;
}
