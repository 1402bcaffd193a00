// Part of the window manager's painting: the paint pass that brings every surface up to
// date, and the caret laid on top of the result.
#include "platform/draw_target.h"
#include "platform/window_manager.h"

void PaintPendingWindows() {
    static bool running = false;
    if (running)
        return; // asked again from inside a paint: the pass under way finishes the work
    running = true;
    // Each WM_PAINT leaves its window valid, so the pass ends; windows that keep making
    // others invalid could go on for ever, so it ends after some rounds in any case.
    size_t budget = 8 * (Wm().windows.size() + 1);
    while (budget-- > 0) {
        HWND window = WmNextPaintWindow(nullptr);
        if (!window)
            break;
        SendMessageA(window, WM_PAINT, 0, 0);
        WmValidate(window);
    }
    running = false;
    std::vector<HWND> tops = Wm().topLevels;
    for (HWND top : tops)
        SurfaceShowCaret(top);
}
