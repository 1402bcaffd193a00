// Stand-ins for the predefined controls until each has its own implementation: every
// message goes to the default window procedure, so texts, fonts and dialogs work.
#include "platform/controls.h"

#include "platform/window_internal.h"

LRESULT CALLBACK EditWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK ButtonWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK ComboBoxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

namespace {

void RegisterControlClass(const char* name, WNDPROC procedure, UINT style, LPCSTR cursor) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hCursor = LoadCursorA(nullptr, cursor);
    windowClass.lpszClassName = name;
    RegisterSystemClass(&windowClass);
}

} // namespace

void RegisterControlClasses() {
    RegisterControlClass("Button", ButtonWndProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, IDC_ARROW);
    RegisterControlClass("Edit", EditWndProc, CS_DBLCLKS, IDC_IBEAM);
    RegisterControlClass("Static", StaticWndProc, CS_DBLCLKS, IDC_ARROW);
    RegisterControlClass("ComboBox", ComboBoxWndProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                         IDC_ARROW);
}
