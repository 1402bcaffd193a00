// Clipping of a device context: IntersectClipRect narrows it, GetClipBox reports it.
#include "platform/draw_target.h"

#include <algorithm>

int WINAPI IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
    DrawTarget target;
    if (!DrawTargetOf(dc, &target, false))
        return ERROR;
    RECT r = DrawRectToDevice(target, RECT{std::min(left, right), std::min(top, bottom),
                                           std::max(left, right), std::max(top, bottom)});
    DcState& state = target.dc->state;
    state.clip = state.clipped ? RectIntersect(state.clip, r) : (RectIsEmpty(r) ? RECT{} : r);
    state.clipped = true;
    return RectIsEmpty(state.clip) ? NULLREGION : SIMPLEREGION;
}

int WINAPI GetClipBox(HDC dc, LPRECT rect) {
    RectList clip;
    if (!rect || !DrawDeviceClip(dc, &clip))
        return ERROR;
    if (clip.empty()) {
        *rect = RECT{0, 0, 0, 0};
        return NULLREGION;
    }
    RECT bounds = RegionBounds(clip);
    POINT corners[2] = {{bounds.left, bounds.top}, {bounds.right, bounds.bottom}};
    DPtoLP(dc, corners, 2);
    *rect = RECT{std::min(corners[0].x, corners[1].x), std::min(corners[0].y, corners[1].y),
                 std::max(corners[0].x, corners[1].x), std::max(corners[0].y, corners[1].y)};
    return clip.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}
