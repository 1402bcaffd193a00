// A device context's colours and background mode, and the nearest colour it can show.
#include "platform/gdi_objects.h"

COLORREF WINAPI SetTextColor(HDC dc, COLORREF color) {
    GdiDc* found = GdiFindDc(dc);
    if (!found)
        return CLR_INVALID;
    COLORREF previous = found->state.textColor;
    found->state.textColor = color;
    return previous;
}

COLORREF WINAPI GetTextColor(HDC dc) {
    GdiDc* found = GdiFindDc(dc);
    return found ? found->state.textColor : CLR_INVALID;
}

COLORREF WINAPI SetBkColor(HDC dc, COLORREF color) {
    GdiDc* found = GdiFindDc(dc);
    if (!found)
        return CLR_INVALID;
    COLORREF previous = found->state.bkColor;
    found->state.bkColor = color;
    return previous;
}

COLORREF WINAPI GetBkColor(HDC dc) {
    GdiDc* found = GdiFindDc(dc);
    return found ? found->state.bkColor : CLR_INVALID;
}

int WINAPI SetBkMode(HDC dc, int mode) {
    GdiDc* found = GdiFindDc(dc);
    if (!found || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    int previous = found->state.bkMode;
    found->state.bkMode = mode;
    return previous;
}

int WINAPI GetBkMode(HDC dc) {
    GdiDc* found = GdiFindDc(dc);
    return found ? found->state.bkMode : 0;
}

COLORREF WINAPI GetNearestColor(HDC dc, COLORREF color) {
    if (!GdiFindDc(dc))
        return CLR_INVALID;
    // Every device shows 24-bit colour: each colour is its own nearest, palette-relative
    // forms included.
    return color & 0x00FFFFFF;
}
