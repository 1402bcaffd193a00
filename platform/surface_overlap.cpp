// Part of the window manager's painting: keeping the topmost window on top. A window that
// paints may cover siblings above it (or above one of its ancestors) that overlap it;
// their borders go back at once and their client areas are painted again after it.
#include "platform/draw_target.h"
#include "platform/window_manager.h"

namespace {

// A window's rectangle and client area in surface pixels, given its root's client corner.
RECT WindowRect(const Window& record, POINT rootOrigin) {
    POINT parentOrigin = rootOrigin;
    if (Window* parent = WmFind(record.parent))
        parentOrigin = WmClientOrigin(*parent);
    return RectOffset(record.rect, (long long)parentOrigin.x - rootOrigin.x,
                      (long long)parentOrigin.y - rootOrigin.y);
}

} // namespace

void WmRepaintWindowsAbove(HWND window, const RECT& area) {
    WindowDrawArea drawn;
    if (RectIsEmpty(area) || !WmWindowDrawArea(window, false, &drawn) || drawn.visible.empty())
        return;
    // What the window may have drawn on, in surface pixels.
    RECT painted = RectIntersect(RectOffset(area, drawn.origin.x, drawn.origin.y),
                                 RegionBounds(drawn.visible));
    if (RectIsEmpty(painted))
        return;
    Window* root = WmFind(drawn.root);
    if (!root)
        return;
    POINT rootOrigin = WmClientOrigin(*root);
    std::vector<HWND> covered; // siblings above, in the order found
    for (Window* level = WmFind(window); level && level != root;) {
        Window* parent = WmFind(level->parent);
        if (!parent)
            break;
        if (!(level->style & WS_CLIPSIBLINGS)) {
            for (HWND sibling : parent->children) {
                if (sibling == level->handle)
                    break;
                Window* other = WmFind(sibling);
                if (other && (other->style & WS_VISIBLE) &&
                    !RectIsEmpty(RectIntersect(painted, WindowRect(*other, rootOrigin))))
                    covered.push_back(sibling);
            }
        }
        level = parent;
    }
    for (HWND sibling : covered) {
        Window* other = WmFind(sibling);
        if (!other)
            continue;
        POINT origin = WmClientOrigin(*other);
        RECT inClient = RectOffset(painted, (long long)rootOrigin.x - origin.x,
                                   (long long)rootOrigin.y - origin.y);
        WmDrawFrame(sibling);
        WmInvalidate(sibling, &inClient, true);
    }
}
