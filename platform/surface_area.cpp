// Part of the window manager's painting: where each window lies on its top-level window's
// surface, and which of its pixels it may draw on.
#include "platform/draw_target.h"
#include "platform/window_manager.h"

namespace {

// Whether the window is on the screen: it and its ancestors shown, none minimised.
bool IsShown(const Window& record) {
    for (const Window* w = &record; w; w = WmFind(w->parent)) {
        if (!(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE))
            return false;
    }
    return true;
}

// The window's rectangle (rect) in surface pixels, given where its root's client area is.
RECT WindowOnSurface(const Window& record, POINT rootOrigin) {
    POINT parentOrigin = rootOrigin;
    if (Window* parent = WmFind(record.parent))
        parentOrigin = WmClientOrigin(*parent);
    return RectOffset(record.rect, (long long)parentOrigin.x - rootOrigin.x,
                      (long long)parentOrigin.y - rootOrigin.y);
}

RECT ClientOnSurface(const Window& record, POINT rootOrigin) {
    POINT origin = WmClientOrigin(record);
    return RectOffset(WmClientRect(record), (long long)origin.x - rootOrigin.x,
                      (long long)origin.y - rootOrigin.y);
}

// Takes out of region the shown windows among siblings that lie above window (siblings
// are kept topmost first).
RectList WithoutSiblingsAbove(RectList region, const Window& parent, HWND window,
                              POINT rootOrigin) {
    for (HWND sibling : parent.children) {
        if (sibling == window)
            break;
        Window* other = WmFind(sibling);
        if (other && (other->style & WS_VISIBLE))
            region = RegionSubtract(region, WindowOnSurface(*other, rootOrigin));
    }
    return region;
}

} // namespace

bool WmWindowDrawArea(HWND window, bool whole, WindowDrawArea* area) {
    Window* record = WmFind(window);
    if (!record || !area)
        return false;
    HWND root = WmRoot(window);
    Window* rootRecord = WmFind(root);
    if (!rootRecord)
        return false;
    *area = WindowDrawArea{};
    area->root = root;
    RECT rootClient = WmClientRect(*rootRecord);
    area->rootWidth = rootClient.right;
    area->rootHeight = rootClient.bottom;
    POINT rootOrigin = WmClientOrigin(*rootRecord);

    // The root's frame is the desktop's: only its client area is on the surface.
    bool frame = whole && record != rootRecord;
    RECT own = frame ? WindowOnSurface(*record, rootOrigin) : ClientOnSurface(*record, rootOrigin);
    area->origin = POINT{own.left, own.top};
    if (!IsShown(*record))
        return true;

    RectList visible = RegionIntersect(RectList{own}, rootClient);
    for (Window* w = record; w != rootRecord && !visible.empty();) {
        Window* parent = WmFind(w->parent);
        if (!parent)
            break;
        visible = RegionIntersect(visible, ClientOnSurface(*parent, rootOrigin));
        if (w->style & WS_CLIPSIBLINGS)
            visible = WithoutSiblingsAbove(std::move(visible), *parent, w->handle, rootOrigin);
        w = parent;
    }
    if (!frame && (record->style & WS_CLIPCHILDREN)) {
        for (HWND child : record->children) {
            Window* childRecord = WmFind(child);
            if (childRecord && (childRecord->style & WS_VISIBLE))
                visible = RegionSubtract(visible, WindowOnSurface(*childRecord, rootOrigin));
        }
    }
    area->visible = std::move(visible);
    return true;
}
