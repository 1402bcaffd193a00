// The caret: one for the thread, a solid bar in the client area of the window that made
// it, shown while no HideCaret is left unmatched. It does not blink. The surfaces show it
// over the painted pixels without ever keeping it in them.
#include "platform/draw_target.h"

namespace {

struct Caret {
    HWND owner = nullptr; // NULL: there is no caret
    int width = 0;
    int height = 0;
    POINT position{0, 0}; // in the owner's client coordinates
    int hidden = 1;       // HideCaret calls not yet matched by ShowCaret; made hidden
};

Caret& TheCaret() {
    static Caret caret;
    return caret;
}

// The caret, forgotten once its window is gone.
Caret& Current() {
    Caret& caret = TheCaret();
    if (caret.owner && !IsWindow(caret.owner))
        caret = Caret{};
    return caret;
}

// Whether a call naming window may act on the caret: NULL stands for the caret's window.
bool Owns(const Caret& caret, HWND window) {
    return caret.owner && (window == nullptr || window == caret.owner);
}

} // namespace

BOOL WINAPI CreateCaret(HWND window, HBITMAP bitmap, int width, int height) {
    (void)bitmap; // every caret is a solid bar
    if (!IsWindow(window))
        return FALSE;
    SurfaceRemoveCaret();
    Caret& caret = TheCaret();
    caret = Caret{};
    caret.owner = window;
    // No size: the width or height of a window border.
    caret.width = width > 0 ? width : GetSystemMetrics(SM_CXBORDER);
    caret.height = height > 0 ? height : GetSystemMetrics(SM_CYBORDER);
    return TRUE;
}

BOOL WINAPI DestroyCaret(void) {
    Caret& caret = Current();
    if (!caret.owner)
        return FALSE;
    SurfaceRemoveCaret();
    caret = Caret{};
    return TRUE;
}

BOOL WINAPI ShowCaret(HWND window) {
    Caret& caret = Current();
    if (!Owns(caret, window))
        return FALSE;
    if (caret.hidden > 0) {
        SurfaceRemoveCaret();
        --caret.hidden;
    }
    return TRUE;
}

BOOL WINAPI HideCaret(HWND window) {
    Caret& caret = Current();
    if (!Owns(caret, window))
        return FALSE;
    SurfaceRemoveCaret();
    ++caret.hidden;
    return TRUE;
}

BOOL WINAPI SetCaretPos(int x, int y) {
    Caret& caret = Current();
    if (!caret.owner)
        return FALSE;
    if (caret.position.x != x || caret.position.y != y) {
        SurfaceRemoveCaret();
        caret.position = POINT{x, y};
    }
    return TRUE;
}

BOOL WINAPI GetCaretPos(LPPOINT point) {
    Caret& caret = Current();
    if (!point || !caret.owner)
        return FALSE;
    *point = caret.position;
    return TRUE;
}

bool CaretVisibleRect(HWND* owner, RECT* rect) {
    Caret& caret = Current();
    if (!caret.owner || caret.hidden > 0)
        return false;
    *owner = caret.owner;
    *rect = RectOffset(RECT{0, 0, caret.width, caret.height}, caret.position.x, caret.position.y);
    return true;
}
