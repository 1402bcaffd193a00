// DrawEdge: the classic three-dimensional edges, an outer and an inner ring of one pixel
// each. Light falls from the top left: a raised ring is light there and dark at the bottom
// right, a sunken one the other way round. The top and left lines stop one pixel short of
// the far corners, which the bottom and right lines draw.
#include "platform/draw_target.h"

#include <algorithm>
#include <cstdint>

namespace {

struct Ring {
    int topLeft; // system colour indices
    int bottomRight;
};

// The colours of the outer ring (outer) or the inner one for the edge flags of that ring.
Ring RingColors(UINT edge, bool outer, UINT flags) {
    bool soft = (flags & BF_SOFT) != 0;
    if (flags & BF_MONO)
        return outer ? Ring{COLOR_WINDOWFRAME, COLOR_WINDOWFRAME}
                     : Ring{COLOR_WINDOW, COLOR_WINDOW};
    if (flags & BF_FLAT)
        return outer ? Ring{COLOR_3DSHADOW, COLOR_3DSHADOW} : Ring{COLOR_3DFACE, COLOR_3DFACE};
    bool raised = outer ? (edge & BDR_RAISEDOUTER) != 0 : (edge & BDR_RAISEDINNER) != 0;
    // A soft edge swaps the top-left colours of the two rings.
    if (raised) {
        bool light = outer != soft;
        return Ring{light ? COLOR_3DLIGHT : COLOR_3DHILIGHT,
                    outer ? COLOR_3DDKSHADOW : COLOR_3DSHADOW};
    }
    bool shadow = outer != soft;
    return Ring{shadow ? COLOR_3DSHADOW : COLOR_3DDKSHADOW,
                outer ? COLOR_3DHILIGHT : COLOR_3DLIGHT};
}

// Draws one ring on the sides flags names and moves those sides of r one pixel inwards.
void DrawRing(const DrawTarget& target, RECT& r, const Ring& ring, UINT flags) {
    if (RectIsEmpty(r))
        return;
    COLORREF light = GetSysColor(ring.topLeft), dark = GetSysColor(ring.bottomRight);
    LONG right = (flags & BF_RIGHT) ? r.right - 1 : r.right;
    LONG bottom = (flags & BF_BOTTOM) ? r.bottom - 1 : r.bottom;
    if (flags & BF_TOP)
        DrawFill(target, RECT{r.left, r.top, right, r.top + 1}, light);
    if (flags & BF_LEFT)
        DrawFill(target, RECT{r.left, r.top, r.left + 1, bottom}, light);
    if (flags & BF_BOTTOM)
        DrawFill(target, RECT{r.left, r.bottom - 1, r.right, r.bottom}, dark);
    if (flags & BF_RIGHT)
        DrawFill(target, RECT{r.right - 1, r.top, r.right, r.bottom}, dark);
    if (flags & BF_LEFT)
        ++r.left;
    if (flags & BF_TOP)
        ++r.top;
    if (flags & BF_RIGHT)
        --r.right;
    if (flags & BF_BOTTOM)
        --r.bottom;
}

} // namespace

void DrawEdgeOn(const DrawTarget& target, RECT& inside, UINT edge, UINT flags) {
    if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER))
        DrawRing(target, inside, RingColors(edge, true, flags), flags);
    if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER))
        DrawRing(target, inside, RingColors(edge, false, flags), flags);
    if ((flags & BF_MIDDLE) && !RectIsEmpty(inside))
        DrawFill(target, inside,
                 GetSysColor((flags & (BF_MONO | BF_FLAT)) ? COLOR_WINDOW : COLOR_3DFACE));
}

BOOL WINAPI DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags) {
    DrawTarget target;
    if (!rect || !DrawTargetOf(dc, &target))
        return FALSE;
    RECT device = DrawRectToDevice(target, *rect);
    RECT inside = device;
    DrawEdgeOn(target, inside, edge, flags);
    if (flags & BF_ADJUST) {
        // The sides move in logical units by as many pixels as the rings took.
        auto move = [](LONG& side, long long by) {
            side = (LONG)std::clamp(side + by, (long long)INT32_MIN, (long long)INT32_MAX);
        };
        move(rect->left, inside.left - device.left);
        move(rect->top, inside.top - device.top);
        move(rect->right, -(long long)(device.right - inside.right));
        move(rect->bottom, -(long long)(device.bottom - inside.bottom));
    }
    return TRUE;
}
