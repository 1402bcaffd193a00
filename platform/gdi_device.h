// Inside the layer: how the window manager gets device contexts from GDI.
#pragma once

#include "platform/winapi.h"

// The screen a device context draws on.
struct GdiDevice {
    int dpi;               // logical pixels per inch, both directions
    int width, height;     // pixels
    int widthMm, heightMm; // physical size
};

// A device context for the client area of window (NULL: the whole screen). Its logical
// coordinates start at the client area's top left corner; MM_TEXT, GM_COMPATIBLE, the
// system font selected, black text on white, OPAQUE.
HDC GdiCreateDC(const GdiDevice& device, HWND window);
// Keeps a device context's drawing inside area (device pixels, the window's client
// coordinates) for the rest of its life, whatever clipping the program adds: BeginPaint's
// update rectangle. FALSE when dc is no DC.
BOOL GdiLimitDC(HDC dc, const RECT& area);
// The window a device context was made for (NULL when none or not a DC).
HWND GdiWindowOfDC(HDC dc);
// Frees a device context made by GdiCreateDC; FALSE when it is not one.
BOOL GdiDeleteDC(HDC dc);
