// DrawFrameControl: push buttons, and the arrow buttons of scroll bars and combo boxes.
#include "platform/draw_target.h"

#include <algorithm>

namespace {

constexpr UINT kStateType = 0x00FF; // the part of the state that names the picture
constexpr UINT kScrollLeft = 0x0002;
constexpr UINT kScrollRight = 0x0003;

enum class Arrow { Up, Down, Left, Right };

// A solid triangle pointing the given way, centred in r.
void DrawArrow(const DrawTarget& target, const RECT& r, Arrow arrow, COLORREF color) {
    int width = r.right - r.left, height = r.bottom - r.top;
    bool upright = arrow == Arrow::Up || arrow == Arrow::Down;
    int across = upright ? width : height; // the extent along the triangle's base
    int along = upright ? height : width;
    int half = std::max(1, (std::min(width, height) - 4) / 4);
    // The base is 2 * half + 1 pixels, the triangle half + 1 deep.
    int centre = (upright ? r.left : r.top) + (across - 1) / 2;
    int start = (upright ? r.top : r.left) + (along - (half + 1)) / 2;
    // Only the rows that can be seen are walked.
    RECT seen = DrawClipBounds(target);
    int first = std::max(0, (int)(upright ? seen.top : seen.left) - start);
    int last = std::min(half, (int)(upright ? seen.bottom : seen.right) - start - 1);
    for (int i = first; i <= last; ++i) {
        bool pointing = arrow == Arrow::Down || arrow == Arrow::Right;
        int reach = pointing ? half - i : i; // half the row's length, less one
        int line = start + i;
        RECT row = upright ? RECT{centre - reach, line, centre + reach + 1, line + 1}
                           : RECT{line, centre - reach, line + 1, centre + reach + 1};
        DrawFill(target, row, color);
    }
}

BOOL PushButton(HDC dc, LPRECT rect, UINT state) {
    RECT face = *rect;
    UINT flags = BF_RECT | BF_MIDDLE | BF_SOFT | ((state & DFCS_FLAT) ? BF_FLAT : 0);
    return DrawEdge(dc, &face, (state & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED, flags);
}

BOOL ScrollButton(HDC dc, LPRECT rect, UINT state) {
    Arrow arrow;
    switch (state & kStateType) {
    case DFCS_SCROLLUP:
        arrow = Arrow::Up;
        break;
    case DFCS_SCROLLDOWN:
    case DFCS_SCROLLCOMBOBOX:
        arrow = Arrow::Down;
        break;
    case kScrollLeft:
        arrow = Arrow::Left;
        break;
    case kScrollRight:
        arrow = Arrow::Right;
        break;
    default:
        return FALSE;
    }
    bool pushed = (state & DFCS_PUSHED) != 0;
    RECT face = *rect;
    // Pushed, the face is flat and the arrow moves a pixel down and right.
    UINT flags = BF_RECT | BF_MIDDLE | ((pushed || (state & DFCS_FLAT)) ? BF_FLAT : 0);
    DrawEdge(dc, &face, pushed ? EDGE_SUNKEN : EDGE_RAISED, flags);
    DrawTarget target;
    if (!DrawTargetOf(dc, &target))
        return FALSE;
    RECT box = DrawRectToDevice(target, *rect);
    if (pushed)
        box = RectOffset(box, 1, 1);
    if (state & DFCS_INACTIVE) {
        // Greyed: a shadow arrow with a highlight below and right of it.
        DrawArrow(target, RectOffset(box, 1, 1), arrow, GetSysColor(COLOR_3DHILIGHT));
        DrawArrow(target, box, arrow, GetSysColor(COLOR_3DSHADOW));
    } else {
        DrawArrow(target, box, arrow, GetSysColor(COLOR_BTNTEXT));
    }
    return TRUE;
}

} // namespace

BOOL WINAPI DrawFrameControl(HDC dc, LPRECT rect, UINT type, UINT state) {
    if (!rect || !GdiFindDc(dc))
        return FALSE;
    switch (type) {
    case DFC_BUTTON:
        if ((state & kStateType) == DFCS_BUTTONPUSH)
            return PushButton(dc, rect, state);
        return FALSE;
    case DFC_SCROLL:
        return ScrollButton(dc, rect, state);
    default:
        return FALSE;
    }
}
