// Inside the layer: what the predefined controls and the displays need from the window
// manager beyond the public calls.
#pragma once

#include "platform/winapi.h"

#include <string>
#include <vector>

// Registers a class that every program sees without registering it, such as "Edit".
// Names compare without regard to case; a class of the program's own with the same name
// takes precedence. Returns the class atom, 0 when the record is unusable or the name is
// taken. Such classes cannot be unregistered.
ATOM RegisterSystemClass(const WNDCLASSEXA* windowClass);

// Per-window state of a control: one pointer, and the function that frees it. The window
// manager calls destroy(data) once the window has received WM_NCDESTROY, or when the data
// is replaced. Both fail (NULL / FALSE) for a handle that is no window.
void* GetControlData(HWND window);
BOOL SetControlData(HWND window, void* data, void (*destroy)(void*));

// The control's state of type T, made (value-initialised) on first use; nullptr for a
// handle that is no window. One window keeps one type of state.
template <class T> T* ControlState(HWND window) {
    if (void* data = GetControlData(window))
        return static_cast<T*>(data);
    T* state = new T();
    if (!SetControlData(window, state, [](void* p) { delete static_cast<T*>(p); })) {
        delete state;
        return nullptr;
    }
    return state;
}

// Copies a text into a WM_GETTEXT buffer of size characters: size counts the terminating
// zero; what fits is copied and always terminated; returns the number of characters copied.
LRESULT CopyWindowText(const std::string& text, WPARAM size, LPSTR buffer);

// The character TranslateMessage makes of a key on the US layout it assumes; -1 when the
// key makes none. Displays use it to tell which characters the translation will make.
int KeyCharacter(int virtualKey, bool shift, bool control, bool alt, bool capsLock);

// The top-level windows, topmost first, and a window's children, topmost first (which is
// creation order unless something changed it). Empty for a handle that is no window.
std::vector<HWND> TopLevelWindows();
std::vector<HWND> ChildWindows(HWND window);

// The base units of a dialog made from a template (pixels per 4 horizontal and per 8
// vertical dialog units); FALSE when the window is no such dialog.
BOOL GetDialogBaseUnits(HWND dialog, int* baseX, int* baseY);

// An icon's size and, for one from the program's resources, its image: the RT_ICON
// resource (a BITMAPINFOHEADER with twice the height, the palette, the colour bits and
// the transparency mask). FALSE when the handle is no icon or cursor.
BOOL GetIconImage(HICON icon, int* width, int* height, std::vector<BYTE>* image);
