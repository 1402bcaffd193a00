// Coordinate spaces of a device context: graphics mode, world transform, window and
// viewport origins, and the mapping between logical and device points (MM_TEXT: one
// logical unit is one pixel).
#include "platform/gdi_objects.h"

#include <cmath>

namespace {

constexpr XFORM kIdentity{1, 0, 0, 1, 0, 0};

bool IsIdentity(const XFORM& x) {
    return x.eM11 == 1 && x.eM12 == 0 && x.eM21 == 0 && x.eM22 == 1 && x.eDx == 0 && x.eDy == 0;
}

// A transform that can be applied both ways: finite, with a non-zero determinant.
bool IsUsable(const XFORM& x) {
    const float values[] = {x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy};
    for (float value : values) {
        if (!std::isfinite(value))
            return false;
    }
    double determinant = (double)x.eM11 * x.eM22 - (double)x.eM12 * x.eM21;
    return determinant != 0 && std::isfinite(determinant);
}

// The transform that applies a first and then b.
XFORM Combine(const XFORM& a, const XFORM& b) {
    XFORM r;
    r.eM11 = (float)((double)a.eM11 * b.eM11 + (double)a.eM12 * b.eM21);
    r.eM12 = (float)((double)a.eM11 * b.eM12 + (double)a.eM12 * b.eM22);
    r.eM21 = (float)((double)a.eM21 * b.eM11 + (double)a.eM22 * b.eM21);
    r.eM22 = (float)((double)a.eM21 * b.eM12 + (double)a.eM22 * b.eM22);
    r.eDx = (float)((double)a.eDx * b.eM11 + (double)a.eDy * b.eM21 + b.eDx);
    r.eDy = (float)((double)a.eDx * b.eM12 + (double)a.eDy * b.eM22 + b.eDy);
    return r;
}

// Rounds half up to the nearest LONG, keeping values beyond its range at its ends.
LONG ToLong(double value) {
    double rounded = std::floor(value + 0.5);
    if (rounded >= 2147483647.0)
        return 2147483647;
    if (rounded <= -2147483648.0)
        return (LONG)-2147483647 - 1;
    return (LONG)rounded;
}

LONG ToLong(long long value) {
    if (value > 2147483647LL)
        return 2147483647;
    if (value < -2147483648LL)
        return (LONG)-2147483647 - 1;
    return (LONG)value;
}

} // namespace

int WINAPI SetGraphicsMode(HDC dc, int mode) {
    GdiDc* found = GdiFindDc(dc);
    if (!found || (mode != GM_COMPATIBLE && mode != GM_ADVANCED))
        return 0;
    DcState& state = found->state;
    // Back to the compatible mode only once the world transform is the identity again.
    if (mode == GM_COMPATIBLE && !IsIdentity(state.world))
        return 0;
    int previous = state.graphicsMode;
    state.graphicsMode = mode;
    return previous;
}

int WINAPI GetGraphicsMode(HDC dc) {
    GdiDc* found = GdiFindDc(dc);
    return found ? found->state.graphicsMode : 0;
}

int WINAPI GetMapMode(HDC dc) {
    return GdiFindDc(dc) ? MM_TEXT : 0;
}

BOOL WINAPI SetWorldTransform(HDC dc, const XFORM* xform) {
    GdiDc* found = GdiFindDc(dc);
    if (!found || !xform || found->state.graphicsMode != GM_ADVANCED || !IsUsable(*xform))
        return FALSE;
    found->state.world = *xform;
    return TRUE;
}

BOOL WINAPI GetWorldTransform(HDC dc, LPXFORM xform) {
    GdiDc* found = GdiFindDc(dc);
    if (!found || !xform)
        return FALSE;
    *xform = found->state.world;
    return TRUE;
}

BOOL WINAPI ModifyWorldTransform(HDC dc, const XFORM* xform, DWORD mode) {
    GdiDc* found = GdiFindDc(dc);
    if (!found || found->state.graphicsMode != GM_ADVANCED)
        return FALSE;
    XFORM& world = found->state.world;
    XFORM result;
    switch (mode) {
    case MWT_IDENTITY:
        result = kIdentity; // xform is not looked at
        break;
    case MWT_LEFTMULTIPLY: // xform first, then the current transform
        if (!xform || !IsUsable(*xform))
            return FALSE;
        result = Combine(*xform, world);
        break;
    case MWT_RIGHTMULTIPLY: // the current transform first, then xform
        if (!xform || !IsUsable(*xform))
            return FALSE;
        result = Combine(world, *xform);
        break;
    default:
        return FALSE;
    }
    if (!IsUsable(result))
        return FALSE;
    world = result;
    return TRUE;
}

namespace {

// Sets or reads one of a DC's two origins.
BOOL SetOrigin(HDC dc, POINT DcState::*origin, int x, int y, LPPOINT previous) {
    GdiDc* found = GdiFindDc(dc);
    if (!found)
        return FALSE;
    if (previous)
        *previous = found->state.*origin;
    found->state.*origin = POINT{x, y};
    return TRUE;
}

BOOL GetOrigin(HDC dc, POINT DcState::*origin, LPPOINT result) {
    GdiDc* found = GdiFindDc(dc);
    if (!found || !result)
        return FALSE;
    *result = found->state.*origin;
    return TRUE;
}

} // namespace

BOOL WINAPI SetViewportOrgEx(HDC dc, int x, int y, LPPOINT previous) {
    return SetOrigin(dc, &DcState::viewportOrg, x, y, previous);
}

BOOL WINAPI SetWindowOrgEx(HDC dc, int x, int y, LPPOINT previous) {
    return SetOrigin(dc, &DcState::windowOrg, x, y, previous);
}

BOOL WINAPI GetViewportOrgEx(HDC dc, LPPOINT origin) {
    return GetOrigin(dc, &DcState::viewportOrg, origin);
}

BOOL WINAPI GetWindowOrgEx(HDC dc, LPPOINT origin) {
    return GetOrigin(dc, &DcState::windowOrg, origin);
}

BOOL WINAPI DPtoLP(HDC dc, LPPOINT points, int count) {
    GdiDc* found = GdiFindDc(dc);
    if (!found || count < 0 || (count > 0 && !points))
        return FALSE;
    const DcState& state = found->state;
    const XFORM& w = state.world;
    bool identity = IsIdentity(w);
    double determinant = (double)w.eM11 * w.eM22 - (double)w.eM12 * w.eM21;
    for (int i = 0; i < count; ++i) {
        // Device to page: the viewport origin moves to the window origin.
        long long pageX = (long long)points[i].x - state.viewportOrg.x + state.windowOrg.x;
        long long pageY = (long long)points[i].y - state.viewportOrg.y + state.windowOrg.y;
        if (identity) {
            points[i] = POINT{ToLong(pageX), ToLong(pageY)};
            continue;
        }
        // Page to world: the world transform undone.
        double u = (double)pageX - w.eDx;
        double v = (double)pageY - w.eDy;
        double x = (u * w.eM22 - v * w.eM21) / determinant;
        double y = (v * w.eM11 - u * w.eM12) / determinant;
        points[i] = POINT{ToLong(x), ToLong(y)};
    }
    return TRUE;
}

BOOL WINAPI LPtoDP(HDC dc, LPPOINT points, int count) {
    GdiDc* found = GdiFindDc(dc);
    if (!found || count < 0 || (count > 0 && !points))
        return FALSE;
    const DcState& state = found->state;
    const XFORM& w = state.world;
    bool identity = IsIdentity(w);
    for (int i = 0; i < count; ++i) {
        long long offsetX = (long long)state.viewportOrg.x - state.windowOrg.x;
        long long offsetY = (long long)state.viewportOrg.y - state.windowOrg.y;
        if (identity) {
            points[i] = POINT{ToLong(points[i].x + offsetX), ToLong(points[i].y + offsetY)};
            continue;
        }
        double x = points[i].x, y = points[i].y;
        double pageX = x * w.eM11 + y * w.eM21 + w.eDx;
        double pageY = x * w.eM12 + y * w.eM22 + w.eDy;
        points[i] = POINT{ToLong(pageX + (double)offsetX), ToLong(pageY + (double)offsetY)};
    }
    return TRUE;
}
