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
};

// The surface of a top-level window (sized to its client area, made on first use and
// resized with the window); nullptr for a handle that is no top-level window.
const Surface* WindowSurface(HWND topLevel);

// Paints every window that needs it (WM_ERASEBKGND, WM_PAINT, the borders of children),
// so that the surfaces are up to date. Displays call it before they show a frame.
void PaintPendingWindows();

// Writes the surface of a top-level window as a PNG file; false when it cannot.
bool SnapWindowPng(HWND topLevel, const char* path);
