// Registers the predefined control classes, whose window procedures live in edit.cpp,
// static.cpp, button.cpp and combobox.cpp.
#include "platform/controls.h"

#include "platform/window_internal.h"

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
