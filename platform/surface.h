// Inside the layer: the pixels of the top-level windows, which GDI draws into and the
// displays show (the desktop display on the screen, snap as a PNG file).
#pragma once

#include "platform/winapi.h"

#include <cstdint>
#include <vector>

// The client area of a top-level window as 32-bit pixels, 0x00RRGGBB, rows top to bottom.
// The frame and caption are the desktop's to draw; every child window, its border and
// its client area included, lies inside this surface.
struct Surface {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    // Grows whenever the pixels or the size may have changed (drawing, the caret put on or
    // taken off, a resize): a display need not copy a surface whose version it has shown.
    uint64_t version = 0;
};

// The surface of a top-level window (sized to its client area, made on first use and
// resized with the window), with the caret on it when the caret is shown in the window;
// nullptr for a handle that is no top-level window. Valid until the next call into the
// layer. It shows what has been painted: call PaintPendingWindows first for the latest.
const Surface* WindowSurface(HWND topLevel);

// Paints every window that needs it (WM_ERASEBKGND, WM_PAINT, the borders of children),
// so that the surfaces are up to date. Displays call it before they show a frame.
// Parents are painted before their children, siblings from the bottom of the z-order to
// the top. It sends messages, so call it where the program may run: not from inside a
// window procedure.
void PaintPendingWindows();

// Paints what is pending and writes the surface of a top-level window, caret included, as
// an 8-bit RGB PNG file; false when it cannot (no such window, an empty client area, a
// path that cannot be written).
bool SnapWindowPng(HWND topLevel, const char* path);
