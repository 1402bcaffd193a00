// Window classes: the program's own (RegisterClassExA, UnregisterClassA) and the system's.
#include "platform/controls.h"
#include "platform/window_manager.h"

#include <algorithm>
#include <cstring>

namespace {

struct ClassTable {
    std::vector<std::shared_ptr<WindowClass>> program;
    std::vector<std::shared_ptr<WindowClass>> system;
    ATOM lastAtom = 0xC000;
    bool systemRegistered = false;
};

ClassTable& Classes() {
    static ClassTable table;
    return table;
}

bool SameName(const std::string& a, const char* b) {
    size_t length = strlen(b);
    if (a.size() != length)
        return false;
    for (size_t i = 0; i < length; ++i) {
        unsigned char x = (unsigned char)a[i], y = (unsigned char)b[i];
        if (x >= 'a' && x <= 'z')
            x = (unsigned char)(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = (unsigned char)(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

std::shared_ptr<WindowClass> FindIn(const std::vector<std::shared_ptr<WindowClass>>& list,
                                    LPCSTR name) {
    for (const auto& entry : list) {
        if (IS_INTRESOURCE(name) ? entry->atom == LOWORD(name) : SameName(entry->name, name))
            return entry;
    }
    return nullptr;
}

void EnsureSystemClasses() {
    if (Classes().systemRegistered)
        return;
    Classes().systemRegistered = true;
    RegisterControlClasses();
}

// A class record from a WNDCLASSEXA, or nullptr when the record is unusable.
std::shared_ptr<WindowClass> MakeClass(const WNDCLASSEXA* windowClass) {
    if (windowClass == nullptr || windowClass->cbSize != sizeof(WNDCLASSEXA) ||
        windowClass->lpfnWndProc == nullptr || windowClass->lpszClassName == nullptr ||
        IS_INTRESOURCE(windowClass->lpszClassName) || windowClass->lpszClassName[0] == '\0' ||
        windowClass->cbClsExtra < 0 || windowClass->cbWndExtra < 0 ||
        windowClass->cbClsExtra > 40000 || windowClass->cbWndExtra > 40000 ||
        strlen(windowClass->lpszClassName) > 255)
        return nullptr;
    auto record = std::make_shared<WindowClass>();
    record->name = windowClass->lpszClassName;
    record->style = windowClass->style;
    record->procedure = windowClass->lpfnWndProc;
    record->classExtra = windowClass->cbClsExtra;
    record->windowExtra = windowClass->cbWndExtra;
    record->instance = windowClass->hInstance;
    record->icon = windowClass->hIcon;
    record->smallIcon = windowClass->hIconSm;
    record->cursor = windowClass->hCursor;
    record->background = windowClass->hbrBackground;
    return record;
}

} // namespace

ATOM RegisterSystemClass(const WNDCLASSEXA* windowClass) {
    auto record = MakeClass(windowClass);
    if (!record || FindIn(Classes().system, windowClass->lpszClassName))
        return 0;
    record->system = true;
    record->atom = ++Classes().lastAtom;
    Classes().system.push_back(record);
    return record->atom;
}

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* windowClass) {
    EnsureSystemClasses();
    auto record = MakeClass(windowClass);
    if (!record || FindIn(Classes().program, windowClass->lpszClassName))
        return 0;
    record->atom = ++Classes().lastAtom;
    Classes().program.push_back(record);
    return record->atom;
}

BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE instance) {
    (void)instance;
    if (className == nullptr)
        return FALSE;
    auto& program = Classes().program;
    auto record = FindIn(program, className);
    if (!record || record->liveWindows > 0)
        return FALSE;
    program.erase(std::find(program.begin(), program.end(), record));
    return TRUE;
}

std::shared_ptr<WindowClass> WmFindClass(LPCSTR name) {
    if (name == nullptr)
        return nullptr;
    EnsureSystemClasses();
    if (auto record = FindIn(Classes().program, name))
        return record;
    return FindIn(Classes().system, name);
}

void WmUnregisterProgramClasses() {
    Classes().program.clear();
}

int WINAPI GetClassNameA(HWND window, LPSTR name, int size) {
    Window* record = WmFind(window);
    if (!record || name == nullptr || size <= 0)
        return 0;
    const std::string& text = record->windowClass->name;
    int count = (int)std::min(text.size(), (size_t)(size - 1));
    memcpy(name, text.data(), (size_t)count);
    name[count] = '\0';
    return count;
}

LONG_PTR WINAPI GetClassLongA(HWND window, int index) {
    Window* record = WmFind(window);
    if (!record)
        return 0;
    const WindowClass& windowClass = *record->windowClass;
    switch (index) {
    case GCL_HBRBACKGROUND:
        return (LONG_PTR)windowClass.background;
    case GCL_HCURSOR:
        return (LONG_PTR)windowClass.cursor;
    case GCL_HICON:
        return (LONG_PTR)windowClass.icon;
    case GCL_HICONSM:
        // Without a small icon of its own the class shows its icon at the small size.
        return (LONG_PTR)(windowClass.smallIcon ? windowClass.smallIcon : windowClass.icon);
    case GCL_HMODULE:
        return (LONG_PTR)windowClass.instance;
    case GCL_CBWNDEXTRA:
        return windowClass.windowExtra;
    case GCL_CBCLSEXTRA:
        return windowClass.classExtra;
    case GCL_WNDPROC:
        return (LONG_PTR)windowClass.procedure;
    case GCL_STYLE:
        return windowClass.style;
    case GCW_ATOM:
        return windowClass.atom;
    default:
        return 0; // the class extra bytes are not kept
    }
}
