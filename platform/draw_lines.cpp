// Lines and polygons: MoveToEx, LineTo and Polygon, with the selected pen and brush.
// Lines are one pixel wide and leave out their last point, so that joined lines meet
// without drawing a point twice.
#include "platform/draw_target.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Longer lines are first cut to what can be seen, so that they cost no more than that.
constexpr long long kShortLine = 4096;

std::optional<COLORREF> PenColor(const GdiDc& dc) {
    const GdiObject* pen = dc.state.pen.get();
    if (!pen || pen->pen.lopnStyle == PS_NULL)
        return std::nullopt;
    return pen->pen.lopnColor & 0x00FFFFFF;
}

std::optional<COLORREF> BrushColor(const GdiDc& dc) {
    const GdiObject* brush = dc.state.brush.get();
    if (!brush || brush->brush.lbStyle != BS_SOLID)
        return std::nullopt;
    return brush->brush.lbColor & 0x00FFFFFF;
}

// Bresenham's line from a to b, b itself drawn only when last is set.
void Walk(const DrawTarget& target, POINT a, POINT b, bool last, COLORREF color) {
    long long dx = std::llabs((long long)b.x - a.x), dy = -std::llabs((long long)b.y - a.y);
    int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    long long error = dx + dy;
    long long x = a.x, y = a.y;
    for (;;) {
        bool end = x == b.x && y == b.y;
        if (end && !last)
            break;
        DrawPixel(target, (int)x, (int)y, color);
        if (end)
            break;
        long long twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

// Cuts the segment a-b to box (Liang and Barsky); false when none of it is inside. Sets
// *endCut when b was cut off.
bool Cut(POINT* a, POINT* b, const RECT& box, bool* endCut) {
    double x0 = a->x, y0 = a->y, dx = (double)b->x - a->x, dy = (double)b->y - a->y;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - box.left, box.right - 1 - x0, y0 - box.top, box.bottom - 1 - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1)
        return false;
    *endCut = t1 < 1;
    POINT from{(LONG)std::lround(x0 + t0 * dx), (LONG)std::lround(y0 + t0 * dy)};
    POINT to{(LONG)std::lround(x0 + t1 * dx), (LONG)std::lround(y0 + t1 * dy)};
    *a = from;
    *b = to;
    return true;
}

void Line(const DrawTarget& target, POINT a, POINT b, COLORREF color) {
    if (!target.surface)
        return;
    long long length = std::max(std::llabs((long long)b.x - a.x), std::llabs((long long)b.y - a.y));
    bool last = false;
    if (length > kShortLine) {
        RECT box = DrawClipBounds(target);
        box = RECT{box.left - 1, box.top - 1, box.right + 1, box.bottom + 1};
        if (RectIsEmpty(box) || !Cut(&a, &b, box, &last))
            return;
    }
    Walk(target, a, b, last, color);
}

// Fills the inside of a polygon (alternate rule): the pixels whose centres lie inside.
void FillPolygon(const DrawTarget& target, const std::vector<POINT>& points, COLORREF color) {
    LONG top = points[0].y, bottom = points[0].y;
    for (const POINT& p : points) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    RECT seen = DrawClipBounds(target);
    top = std::max(top, seen.top);
    bottom = std::min(bottom, seen.bottom);
    std::vector<double> crossings;
    for (LONG y = top; y < bottom; ++y) {
        double centre = y + 0.5;
        crossings.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            const POINT& p = points[i];
            const POINT& q = points[(i + 1) % points.size()];
            if (p.y == q.y)
                continue;
            double low = std::min(p.y, q.y), high = std::max(p.y, q.y);
            if (centre < low || centre >= high)
                continue;
            crossings.push_back(p.x + (centre - p.y) * ((double)q.x - p.x) / ((double)q.y - p.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            double from = std::clamp(std::ceil(crossings[i] - 0.5), -1e9, 1e9);
            double to = std::clamp(std::ceil(crossings[i + 1] - 0.5), -1e9, 1e9);
            if (to > from)
                DrawFill(target, RECT{(LONG)from, y, (LONG)to, y + 1}, color);
        }
    }
}

} // namespace

BOOL WINAPI MoveToEx(HDC dc, int x, int y, LPPOINT previous) {
    GdiDc* found = GdiFindDc(dc);
    if (!found)
        return FALSE;
    if (previous)
        *previous = found->state.position;
    found->state.position = POINT{x, y};
    return TRUE;
}

BOOL WINAPI LineTo(HDC dc, int x, int y) {
    DrawTarget target;
    if (!DrawTargetOf(dc, &target))
        return FALSE;
    POINT& position = target.dc->state.position;
    if (std::optional<COLORREF> color = PenColor(*target.dc))
        Line(target, DrawToDevice(target, position.x, position.y), DrawToDevice(target, x, y),
             *color);
    position = POINT{x, y};
    return TRUE;
}

BOOL WINAPI Polygon(HDC dc, const POINT* points, int count) {
    DrawTarget target;
    if (!points || count < 2 || !DrawTargetOf(dc, &target))
        return FALSE;
    if (!target.surface)
        return TRUE;
    std::vector<POINT> device((size_t)count);
    for (int i = 0; i < count; ++i)
        device[i] = DrawToDevice(target, points[i].x, points[i].y);
    if (std::optional<COLORREF> color = BrushColor(*target.dc))
        FillPolygon(target, device, *color);
    if (std::optional<COLORREF> color = PenColor(*target.dc)) {
        for (int i = 0; i < count; ++i)
            Line(target, device[i], device[(i + 1) % count], *color);
    }
    return TRUE;
}
