// Device contexts resolved for drawing, and the pixel operations on their surfaces.
#include "platform/draw_target.h"

#include <algorithm>

namespace {

// The DC's clipping in surface pixels; area tells where its window lies (its root stays
// NULL for a DC of the screen).
RectList SurfaceClip(const GdiDc& dc, WindowDrawArea* area) {
    RectList clip;
    if (dc.window == nullptr) {
        clip.push_back(RECT{0, 0, dc.device.width, dc.device.height});
    } else {
        if (!WmWindowDrawArea(dc.window, false, area))
            return clip;
        clip = area->visible;
        clip = RegionIntersect(clip, RECT{0, 0, area->rootWidth, area->rootHeight});
    }
    if (dc.limited)
        clip = RegionIntersect(clip, RectOffset(dc.limit, area->origin.x, area->origin.y));
    if (dc.state.clipped)
        clip = RegionIntersect(clip, RectOffset(dc.state.clip, area->origin.x, area->origin.y));
    return clip;
}

// rect (device) in surface pixels, inside limit (device) when given.
RECT ToSurface(const DrawTarget& target, const RECT& rect, const RECT* limit) {
    RECT area = RectOffset(rect, target.origin.x, target.origin.y);
    if (limit)
        area = RectIntersect(area, RectOffset(*limit, target.origin.x, target.origin.y));
    return area;
}

// Device coordinates are kept within this much of zero: far beyond any surface, and far
// from LONG's ends, so that widths and offsets never overflow.
LONG Near(LONG value) {
    constexpr LONG kFar = 1L << 29;
    return std::clamp(value, -kFar, kFar);
}

uint32_t Blend(uint32_t under, uint32_t over, unsigned alpha) {
    uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        unsigned a = (under >> shift) & 0xFF, b = (over >> shift) & 0xFF;
        result |= ((a * (255 - alpha) + b * alpha + 127) / 255) << shift;
    }
    return result;
}

} // namespace

bool DrawTargetOf(HDC hdc, DrawTarget* target, bool forDrawing) {
    GdiDc* dc = GdiFindDc(hdc);
    if (!dc || !target)
        return false;
    *target = DrawTarget{};
    target->hdc = hdc;
    target->dc = dc;
    WindowDrawArea area;
    target->clip = SurfaceClip(*dc, &area);
    target->origin = area.origin;
    if (forDrawing && area.root && !target->clip.empty())
        target->surface = SurfaceForDrawing(area.root, area.rootWidth, area.rootHeight);
    return true;
}

bool DrawDeviceClip(HDC hdc, RectList* clip) {
    GdiDc* dc = GdiFindDc(hdc);
    if (!dc || !clip)
        return false;
    WindowDrawArea area;
    *clip = SurfaceClip(*dc, &area);
    for (RECT& r : *clip)
        r = RectOffset(r, -(long long)area.origin.x, -(long long)area.origin.y);
    return true;
}

POINT DrawToDevice(const DrawTarget& target, int x, int y) {
    POINT point{x, y};
    LPtoDP(target.hdc, &point, 1);
    return POINT{Near(point.x), Near(point.y)};
}

RECT DrawRectToDevice(const DrawTarget& target, const RECT& rect) {
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    LPtoDP(target.hdc, corners, 2);
    for (POINT& corner : corners)
        corner = POINT{Near(corner.x), Near(corner.y)};
    // A transform that turns the rectangle over keeps it the same area.
    bool flipX = (rect.left <= rect.right) != (corners[0].x <= corners[1].x);
    bool flipY = (rect.top <= rect.bottom) != (corners[0].y <= corners[1].y);
    RECT result{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    if (flipX)
        std::swap(result.left, result.right);
    if (flipY)
        std::swap(result.top, result.bottom);
    return result;
}

void DrawFill(const DrawTarget& target, const RECT& rect, COLORREF color, const RECT* limit) {
    if (!target.surface)
        return;
    Surface& surface = *target.surface;
    RECT area = ToSurface(target, rect, limit);
    uint32_t pixel = PixelOf(color);
    for (const RECT& clip : target.clip) {
        RECT r = RectIntersect(area, clip);
        for (LONG y = r.top; y < r.bottom; ++y) {
            uint32_t* row = surface.pixels.data() + (size_t)y * surface.width;
            std::fill(row + r.left, row + r.right, pixel);
        }
    }
}

void DrawInvert(const DrawTarget& target, const RECT& rect) {
    if (!target.surface)
        return;
    Surface& surface = *target.surface;
    RECT area = ToSurface(target, rect, nullptr);
    for (const RECT& clip : target.clip) {
        RECT r = RectIntersect(area, clip);
        for (LONG y = r.top; y < r.bottom; ++y) {
            uint32_t* row = surface.pixels.data() + (size_t)y * surface.width;
            for (LONG x = r.left; x < r.right; ++x)
                row[x] ^= 0x00FFFFFF;
        }
    }
}

RECT DrawClipBounds(const DrawTarget& target) {
    return RectOffset(RegionBounds(target.clip), -(long long)target.origin.x,
                      -(long long)target.origin.y);
}

bool DrawPixelInClip(const DrawTarget& target, int x, int y) {
    long long sx = (long long)x + target.origin.x, sy = (long long)y + target.origin.y;
    for (const RECT& clip : target.clip) {
        if (sx >= clip.left && sx < clip.right && sy >= clip.top && sy < clip.bottom)
            return true;
    }
    return false;
}

void DrawPixel(const DrawTarget& target, int x, int y, COLORREF color) {
    if (!target.surface || !DrawPixelInClip(target, x, y))
        return;
    Surface& surface = *target.surface;
    size_t sx = (size_t)((long long)x + target.origin.x);
    size_t sy = (size_t)((long long)y + target.origin.y);
    surface.pixels[sy * surface.width + sx] = PixelOf(color);
}

void DrawCoverage(const DrawTarget& target, int x, int y, int width, int height,
                  const unsigned char* coverage, COLORREF color, const RECT* limit) {
    if (!target.surface || width <= 0 || height <= 0)
        return;
    Surface& surface = *target.surface;
    RECT box{x, y, (LONG)std::min((long long)x + width, 1LL << 30),
             (LONG)std::min((long long)y + height, 1LL << 30)};
    RECT area = ToSurface(target, box, limit);
    long long left = (long long)x + target.origin.x, top = (long long)y + target.origin.y;
    uint32_t ink = PixelOf(color);
    for (const RECT& clip : target.clip) {
        RECT r = RectIntersect(area, clip);
        for (LONG sy = r.top; sy < r.bottom; ++sy) {
            uint32_t* row = surface.pixels.data() + (size_t)sy * surface.width;
            const unsigned char* source = coverage + (size_t)(sy - top) * width;
            for (LONG sx = r.left; sx < r.right; ++sx) {
                unsigned alpha = source[sx - left];
                if (alpha == 255)
                    row[sx] = ink;
                else if (alpha != 0)
                    row[sx] = Blend(row[sx], ink, alpha);
            }
        }
    }
}

bool DrawBrushColor(HBRUSH brush, std::optional<COLORREF>* color) {
    *color = GdiBrushColor(brush);
    if (color->has_value())
        return true;
    // A brush that paints nothing (the hollow brush) is still a brush.
    return (uintptr_t)brush > 0xFFFF && GdiFind(brush, OBJ_BRUSH) != nullptr;
}
