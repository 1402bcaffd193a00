// Filled and framed rectangles: FillRect, FrameRect, DrawFocusRect and Rectangle.
#include "platform/draw_target.h"

#include <algorithm>

namespace {

// The colour of the brush selected into a DC; nothing for a hollow brush.
std::optional<COLORREF> SelectedBrush(const GdiDc& dc) {
    const GdiObject* brush = dc.state.brush.get();
    if (!brush || brush->brush.lbStyle != BS_SOLID)
        return std::nullopt;
    return brush->brush.lbColor & 0x00FFFFFF;
}

std::optional<COLORREF> SelectedPen(const GdiDc& dc) {
    const GdiObject* pen = dc.state.pen.get();
    if (!pen || pen->pen.lopnStyle == PS_NULL)
        return std::nullopt;
    return pen->pen.lopnColor & 0x00FFFFFF;
}

// A one-pixel frame just inside r.
void Frame(const DrawTarget& target, const RECT& r, COLORREF color) {
    if (RectIsEmpty(r))
        return;
    DrawFill(target, RECT{r.left, r.top, r.right, r.top + 1}, color);
    DrawFill(target, RECT{r.left, r.bottom - 1, r.right, r.bottom}, color);
    DrawFill(target, RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, color);
    DrawFill(target, RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}, color);
}

} // namespace

int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    DrawTarget target;
    std::optional<COLORREF> color;
    if (!rect || !DrawBrushColor(brush, &color) || !DrawTargetOf(dc, &target))
        return 0;
    if (color)
        DrawFill(target, DrawRectToDevice(target, *rect), *color);
    return 1;
}

int WINAPI FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
    DrawTarget target;
    std::optional<COLORREF> color;
    if (!rect || !DrawBrushColor(brush, &color) || !DrawTargetOf(dc, &target))
        return 0;
    if (color)
        Frame(target, DrawRectToDevice(target, *rect), *color);
    return 1;
}

BOOL WINAPI DrawFocusRect(HDC dc, const RECT* rect) {
    DrawTarget target;
    if (!rect || !DrawTargetOf(dc, &target))
        return FALSE;
    // Every other pixel of the frame inverted: drawn twice, the rectangle is gone again.
    RECT r = DrawRectToDevice(target, *rect);
    if (RectIsEmpty(r))
        return TRUE;
    auto dot = [&](LONG x, LONG y) {
        if (((x + y) & 1) == 0)
            DrawInvert(target, RECT{x, y, x + 1, y + 1});
    };
    // Only the part of the frame that can be seen is walked.
    RECT seen = RectIntersect(r, DrawClipBounds(target));
    if (RectIsEmpty(seen))
        return TRUE;
    for (LONG x = seen.left; x < seen.right; ++x) {
        if (seen.top == r.top)
            dot(x, r.top);
        if (seen.bottom == r.bottom && r.bottom - 1 > r.top)
            dot(x, r.bottom - 1);
    }
    for (LONG y = std::max(seen.top, r.top + 1); y < std::min(seen.bottom, r.bottom - 1); ++y) {
        if (seen.left == r.left)
            dot(r.left, y);
        if (seen.right == r.right && r.right - 1 > r.left)
            dot(r.right - 1, y);
    }
    return TRUE;
}

BOOL WINAPI Rectangle(HDC dc, int left, int top, int right, int bottom) {
    DrawTarget target;
    if (!DrawTargetOf(dc, &target))
        return FALSE;
    RECT r = DrawRectToDevice(target, RECT{left, top, right, bottom});
    if (r.right < r.left)
        std::swap(r.left, r.right);
    if (r.bottom < r.top)
        std::swap(r.top, r.bottom);
    std::optional<COLORREF> pen = SelectedPen(*target.dc);
    std::optional<COLORREF> brush = SelectedBrush(*target.dc);
    if (pen) {
        if (brush)
            DrawFill(target, RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, *brush);
        Frame(target, r, *pen);
    } else if (brush) {
        // Without an outline the figure is a pixel smaller each way.
        DrawFill(target, RECT{r.left, r.top, r.right - 1, r.bottom - 1}, *brush);
    }
    return TRUE;
}
