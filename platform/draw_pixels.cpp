// Single pixels: SetPixel and GetPixel.
#include "platform/draw_target.h"

COLORREF WINAPI SetPixel(HDC dc, int x, int y, COLORREF color) {
    DrawTarget target;
    if (!DrawTargetOf(dc, &target))
        return CLR_INVALID;
    POINT p = DrawToDevice(target, x, y);
    if (!target.surface || !DrawPixelInClip(target, p.x, p.y))
        return CLR_INVALID;
    DrawPixel(target, p.x, p.y, color);
    return color & 0x00FFFFFF;
}

COLORREF WINAPI GetPixel(HDC dc, int x, int y) {
    DrawTarget target;
    if (!DrawTargetOf(dc, &target))
        return CLR_INVALID;
    POINT p = DrawToDevice(target, x, y);
    if (!target.surface || !DrawPixelInClip(target, p.x, p.y))
        return CLR_INVALID;
    const Surface& surface = *target.surface;
    size_t sx = (size_t)((long long)p.x + target.origin.x);
    size_t sy = (size_t)((long long)p.y + target.origin.y);
    return ColorOfPixel(surface.pixels[sy * surface.width + sx]);
}
