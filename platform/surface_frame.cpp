// Part of the window manager's painting: the borders that child windows have around their
// client areas, drawn on the surface of their top-level window. From the outside in: a
// dialog or sizing frame (raised, the rest in the face colour) or a WS_BORDER line in
// COLOR_WINDOWFRAME; WS_EX_CLIENTEDGE's two-pixel sunken edge; WS_EX_STATICEDGE's
// one-pixel sunken line.
#include "platform/draw_target.h"
#include "platform/window_manager.h"

#include <algorithm>
#include <vector>

void WmDrawFrame(HWND window) {
    Window* record = WmFind(window);
    if (!record || WmIsTopLevel(*record))
        return;
    DWORD style = record->style, exStyle = record->exStyle;
    bool thick = (style & WS_THICKFRAME) != 0;
    bool dialog = !thick && ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME));
    bool border = !thick && !dialog && (style & WS_BORDER);
    bool clientEdge = (exStyle & WS_EX_CLIENTEDGE) != 0;
    bool staticEdge = (exStyle & WS_EX_STATICEDGE) != 0;
    if (!thick && !dialog && !border && !clientEdge && !staticEdge)
        return;
    WindowDrawArea area;
    if (!WmWindowDrawArea(window, true, &area) || area.visible.empty())
        return;
    DrawTarget target;
    target.surface = SurfaceForDrawing(area.root, area.rootWidth, area.rootHeight);
    target.origin = area.origin;
    target.clip = std::move(area.visible);

    long long width = (long long)record->rect.right - record->rect.left;
    long long height = (long long)record->rect.bottom - record->rect.top;
    RECT r{0, 0, (LONG)std::clamp(width, 0LL, 1LL << 29), (LONG)std::clamp(height, 0LL, 1LL << 29)};
    if (thick || dialog) {
        int frame = GetSystemMetrics(thick ? SM_CXFRAME : SM_CXDLGFRAME);
        RECT outer = r;
        DrawEdgeOn(target, r, EDGE_RAISED, BF_RECT);
        RECT band =
            RECT{outer.left + frame, outer.top + frame, outer.right - frame, outer.bottom - frame};
        COLORREF face = GetSysColor(COLOR_3DFACE);
        DrawFill(target, RECT{r.left, r.top, r.right, band.top}, face);
        DrawFill(target, RECT{r.left, band.bottom, r.right, r.bottom}, face);
        DrawFill(target, RECT{r.left, band.top, band.left, band.bottom}, face);
        DrawFill(target, RECT{band.right, band.top, r.right, band.bottom}, face);
        r = band;
    } else if (border) {
        DrawEdgeOn(target, r, BDR_SUNKENOUTER, BF_RECT | BF_MONO);
    }
    if (clientEdge)
        DrawEdgeOn(target, r, EDGE_SUNKEN, BF_RECT);
    if (staticEdge)
        DrawEdgeOn(target, r, BDR_SUNKENOUTER, BF_RECT);
}

void WmDrawChildFrames(HWND parent) {
    Window* record = WmFind(parent);
    if (!record)
        return;
    std::vector<HWND> children = record->children;
    // From the bottom of the z-order up, so that the topmost lies on top.
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        WmDrawFrame(*it);
}
