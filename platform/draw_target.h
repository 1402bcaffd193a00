// Inside GDI's drawing: where a device context's pixels go (the surface of its window's
// top-level window, clipped), and the pixel operations every drawing call is made of.
// Device coordinates are pixels from the DC's window's client corner; surface coordinates
// are pixels of the top-level window's surface.
#pragma once

#include "platform/gdi_objects.h"
#include "platform/surface.h"

#include <vector>

// ---- Regions: disjoint rectangles ----------------------------------------------------------

using RectList = std::vector<RECT>;

bool RectIsEmpty(const RECT& rect);
RECT RectIntersect(const RECT& a, const RECT& b);
RECT RectOffset(const RECT& rect, long long dx, long long dy); // kept far inside LONG's range
// The parts of region inside rect / outside rect.
RectList RegionIntersect(const RectList& region, const RECT& rect);
RectList RegionSubtract(const RectList& region, const RECT& rect);
// The smallest rectangle around the region; empty for an empty region.
RECT RegionBounds(const RectList& region);

// ---- What the window manager tells drawing (surface_area.cpp) ------------------------------

// Where a window lies on its top-level window's surface.
struct WindowDrawArea {
    HWND root = nullptr; // the top-level window whose surface holds the window
    int rootWidth = 0;   // the size of that surface: the root's client area
    int rootHeight = 0;
    POINT origin{0, 0}; // the corner of the area asked for, in surface pixels
    RectList visible;   // the surface pixels it may draw on; none while it is not shown
};
// The client area of a window (whole: the whole window, its border included), clipped to
// its ancestors' client areas and to the siblings and children that the WS_CLIPSIBLINGS and
// WS_CLIPCHILDREN styles keep out. False for a handle that is no window.
bool WmWindowDrawArea(HWND window, bool whole, WindowDrawArea* area);

// ---- Surfaces (surface.cpp) and the caret (caret.cpp) --------------------------------------

// The surface of a top-level window sized width x height, made or resized as needed, the
// caret taken off it, counted as changed: what drawing writes into.
Surface* SurfaceForDrawing(HWND root, int width, int height);
// Takes the caret off every surface (it changed, or something is about to be drawn).
void SurfaceRemoveCaret();
// Puts the caret on a top-level window's surface when it is shown there.
void SurfaceShowCaret(HWND root);
// The caret when it is to be seen: its window and its rectangle in that window's client
// coordinates. False when there is none or it is hidden.
bool CaretVisibleRect(HWND* owner, RECT* rect);

// ---- A device context ready to draw -------------------------------------------------------

struct DrawTarget {
    HDC hdc = nullptr;
    GdiDc* dc = nullptr;
    Surface* surface = nullptr; // nullptr: nothing the DC draws is seen (screen, hidden window)
    POINT origin{0, 0};         // device (0, 0) in surface pixels
    RectList clip;              // surface pixels that may change
};

// Resolves a DC for drawing (the surface readied and the caret taken off) or, with
// forDrawing false, only to know its clipping. False when dc is no DC.
bool DrawTargetOf(HDC dc, DrawTarget* target, bool forDrawing = true);
// The DC's clipping in device coordinates: the part of the window that may be drawn on,
// BeginPaint's update rectangle and IntersectClipRect's rectangles; the screen for a DC
// of no window. False when dc is no DC.
bool DrawDeviceClip(HDC dc, RectList* clip);

// Logical to device coordinates (the DC's origins and world transform), kept within 2^29
// of zero.
POINT DrawToDevice(const DrawTarget& target, int x, int y);
// A rectangle's corners to device coordinates, normalised when the mapping mirrors it.
RECT DrawRectToDevice(const DrawTarget& target, const RECT& rect);

// 0x00RRGGBB pixels and COLORREFs (0x00BBGGRR).
inline uint32_t PixelOf(COLORREF color) {
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}
inline COLORREF ColorOfPixel(uint32_t pixel) {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// Pixel operations in device coordinates, inside the target's clipping (and inside limit,
// also in device coordinates, when it is given).
void DrawFill(const DrawTarget& target, const RECT& rect, COLORREF color,
              const RECT* limit = nullptr);
void DrawInvert(const DrawTarget& target, const RECT& rect);
void DrawPixel(const DrawTarget& target, int x, int y, COLORREF color);
bool DrawPixelInClip(const DrawTarget& target, int x, int y);
// The smallest rectangle around the target's clipping, in device coordinates.
RECT DrawClipBounds(const DrawTarget& target);
// Blends color over the pixels by coverage (width x height, rows top to bottom) with its
// top left corner at x, y.
void DrawCoverage(const DrawTarget& target, int x, int y, int width, int height,
                  const unsigned char* coverage, COLORREF color, const RECT* limit);

// The colour a brush argument paints with (a handle or COLOR_x + 1); nothing for a hollow
// brush. False when it is neither a brush nor a system colour.
bool DrawBrushColor(HBRUSH brush, std::optional<COLORREF>* color);

// DrawEdge's rings (and middle) on rect in device coordinates; rect ends as the part
// inside the rings.
void DrawEdgeOn(const DrawTarget& target, RECT& rect, UINT edge, UINT flags);

// ---- Text (draw_text.cpp) -----------------------------------------------------------------

// A character placed in a line of text: what it shows, how far it moves the pen, and
// whether it is underlined on its own (a prefixed character of DrawTextA).
struct InkChar {
    char32_t code;
    int advance;
    bool underline = false;
};
// Draws a line of characters with the DC's font and text colour: the cell's top left at
// x, y (device coordinates), the baseline tmAscent below; inside limit when given. The
// background is not touched.
void DrawTextInk(const DrawTarget& target, int x, int y, const std::vector<InkChar>& chars,
                 const RECT* limit);
