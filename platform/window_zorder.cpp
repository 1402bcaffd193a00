// SetWindowPos: a window's place among its siblings, with its position, size and showing.
#include "platform/window_manager.h"

#include <algorithm>

namespace {

enum class Moved { No, Up, Down };

// Moves a child window in its parent's list (topmost first): to the top, to the bottom, or
// right below the sibling after. False when after is neither of the two nor a sibling.
bool Restack(Window& parent, HWND window, HWND after, Moved* moved) {
    std::vector<HWND>& children = parent.children;
    auto found = std::find(children.begin(), children.end(), window);
    if (found == children.end())
        return false;
    std::vector<HWND> order = children;
    order.erase(order.begin() + (found - children.begin()));
    if (after == HWND_TOP) {
        order.insert(order.begin(), window);
    } else if (after == HWND_BOTTOM) {
        order.push_back(window);
    } else {
        auto sibling = std::find(order.begin(), order.end(), after);
        if (sibling == order.end())
            return false;
        order.insert(sibling + 1, window);
    }
    size_t before = (size_t)(found - children.begin());
    size_t now = (size_t)(std::find(order.begin(), order.end(), window) - order.begin());
    *moved = now < before ? Moved::Up : now > before ? Moved::Down : Moved::No;
    children = std::move(order);
    return true;
}

} // namespace

BOOL WINAPI SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height,
                         UINT flags) {
    Window* record = WmFind(window);
    if (!record)
        return FALSE;
    if (insertAfter == window)
        flags |= SWP_NOZORDER;
    if (!(flags & SWP_NOZORDER)) {
        if (WmIsTopLevel(*record)) {
            // Top-level windows change places by activation: to the top unless asked not to.
            if (insertAfter == HWND_TOP && !(flags & SWP_NOACTIVATE))
                SetActiveWindow(window);
        } else {
            Window* parent = WmFind(record->parent);
            Moved moved = Moved::No;
            if (!parent || !Restack(*parent, window, insertAfter, &moved))
                return FALSE;
            if (moved != Moved::No && !(flags & SWP_NOREDRAW) && (record->style & WS_VISIBLE)) {
                // Raised, it draws itself over what it now covers; lowered, what it uncovered
                // is drawn again over it.
                if (moved == Moved::Up) {
                    WmInvalidate(window, nullptr, true);
                } else {
                    RECT area = record->rect;
                    WmInvalidate(record->parent, &area, true);
                }
            }
        }
    }
    if ((record = WmFind(window)) == nullptr)
        return FALSE;
    if ((flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
        RECT now = record->rect; // in the parent's client coordinates, or the screen's
        if (flags & SWP_NOMOVE) {
            x = now.left;
            y = now.top;
        }
        if (flags & SWP_NOSIZE) {
            width = now.right - now.left;
            height = now.bottom - now.top;
        }
        MoveWindow(window, x, y, width, height, (flags & SWP_NOREDRAW) ? FALSE : TRUE);
        if (!WmFind(window))
            return FALSE;
    }
    if (flags & SWP_SHOWWINDOW)
        ShowWindow(window, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    else if (flags & SWP_HIDEWINDOW)
        ShowWindow(window, SW_HIDE);
    return WmFind(window) ? TRUE : FALSE;
}
