// Regions as lists of disjoint rectangles: what clipping is made of.
#include "platform/draw_target.h"

#include <algorithm>

namespace {

// Coordinates are kept within this much of zero, far from LONG's ends, so that offsets
// and widths never overflow.
constexpr long long kFar = 1LL << 29;

LONG Clamp(long long value) {
    return (LONG)std::clamp(value, -kFar, kFar);
}

} // namespace

bool RectIsEmpty(const RECT& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

RECT RectIntersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    return RectIsEmpty(r) ? RECT{0, 0, 0, 0} : r;
}

RECT RectOffset(const RECT& rect, long long dx, long long dy) {
    return RECT{Clamp(rect.left + dx), Clamp(rect.top + dy), Clamp(rect.right + dx),
                Clamp(rect.bottom + dy)};
}

RectList RegionIntersect(const RectList& region, const RECT& rect) {
    RectList result;
    for (const RECT& r : region) {
        RECT part = RectIntersect(r, rect);
        if (!RectIsEmpty(part))
            result.push_back(part);
    }
    return result;
}

RectList RegionSubtract(const RectList& region, const RECT& cut) {
    RectList result;
    for (const RECT& r : region) {
        RECT overlap = RectIntersect(r, cut);
        if (RectIsEmpty(overlap)) {
            result.push_back(r);
            continue;
        }
        // What is left: a band above, a band below, and the pieces left and right between.
        if (r.top < overlap.top)
            result.push_back(RECT{r.left, r.top, r.right, overlap.top});
        if (overlap.bottom < r.bottom)
            result.push_back(RECT{r.left, overlap.bottom, r.right, r.bottom});
        if (r.left < overlap.left)
            result.push_back(RECT{r.left, overlap.top, overlap.left, overlap.bottom});
        if (overlap.right < r.right)
            result.push_back(RECT{overlap.right, overlap.top, r.right, overlap.bottom});
    }
    return result;
}

RECT RegionBounds(const RectList& region) {
    RECT bounds{0, 0, 0, 0};
    bool first = true;
    for (const RECT& r : region) {
        if (RectIsEmpty(r))
            continue;
        if (first) {
            bounds = r;
            first = false;
            continue;
        }
        bounds.left = std::min(bounds.left, r.left);
        bounds.top = std::min(bounds.top, r.top);
        bounds.right = std::max(bounds.right, r.right);
        bounds.bottom = std::max(bounds.bottom, r.bottom);
    }
    return bounds;
}
