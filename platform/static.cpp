// The static control. For now every message goes to the default window procedure.
#include "platform/controls.h"

#include "platform/window_internal.h"

LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}
