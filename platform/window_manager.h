// Inside the window manager: the records behind window and class handles, and what its
// files share. Nothing outside the window manager's own files includes this.
//
// A Window* is valid only until the next message is sent or a window is destroyed: any
// window procedure may destroy any window. Code that sends a message looks the window up
// again by its handle afterwards.
#pragma once

#include "platform/display.h"
#include "platform/window_internal.h"

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    bool system = false;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    int classExtra = 0;
    int windowExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    int liveWindows = 0;
};

// What a window made from a dialog template keeps.
struct DialogInfo {
    int baseX = 0;
    int baseY = 0;
    HFONT font = nullptr; // made for the dialog and deleted with it
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> windowClass;
    HWND parent = nullptr;      // child windows only
    HWND owner = nullptr;       // top-level windows only
    std::vector<HWND> children; // topmost first
    DWORD style = 0;
    DWORD exStyle = 0;
    LONG_PTR id = 0;
    HINSTANCE instance = nullptr;
    WNDPROC procedure = nullptr;
    LONG_PTR userData = 0;
    std::map<int, LONG_PTR> extra; // the cbWndExtra bytes, one value per offset used
    std::string text;
    HFONT font = nullptr;
    RECT rect{0, 0, 0, 0}; // in the parent's client coordinates, or the screen's
    bool destroying = false;
    bool invalid = false; // the update region, kept as one rectangle in client coordinates
    bool erase = false;
    RECT update{0, 0, 0, 0};
    std::unique_ptr<DialogInfo> dialog;
    void* controlData = nullptr;
    void (*controlDestroy)(void*) = nullptr;
};

struct WindowManager {
    std::unordered_map<HWND, std::unique_ptr<Window>> windows;
    std::vector<HWND> topLevels; // topmost first
    uintptr_t lastHandle = 0x10000;
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    std::unique_ptr<DialogInfo> pendingDialog; // given to the next window created
};

WindowManager& Wm();
// The live window behind a handle; nullptr for NULL, a handle never given or a dead one.
Window* WmFind(HWND window);
// The top-level window that window belongs to (itself when it is one).
HWND WmRoot(HWND window);
// Whether window is ancestor or one of its descendants.
bool WmIsInTree(HWND ancestor, HWND window);
bool WmIsTopLevel(const Window& window);

// Classes (window_class.cpp).
std::shared_ptr<WindowClass> WmFindClass(LPCSTR name);
void WmUnregisterProgramClasses();

// Geometry (window_geometry.cpp).
struct FrameInsets {
    int left = 0, top = 0, right = 0, bottom = 0;
};
FrameInsets WmFrameInsets(DWORD style, DWORD exStyle);
// The client area's top left corner in screen coordinates.
POINT WmClientOrigin(const Window& window);
RECT WmClientRect(const Window& window);

// Painting (window_paint.cpp).
void WmInvalidate(HWND window, const RECT* rect, bool erase);
// After WM_PAINT: clears the update region. A window that did not call BeginPaint for it
// still gets its border drawn and, when asked, its background erased.
void WmValidate(HWND window);
// The first window in painting order (parents before children, siblings from the bottom
// of the z-order up) that is shown and needs painting; only filter and its descendants
// when filter is not NULL.
HWND WmNextPaintWindow(HWND filter);
// The borders of a child window outside its client area, and those of all the children of
// a window, drawn on the top-level window's surface (surface_frame.cpp).
void WmDrawFrame(HWND window);
void WmDrawChildFrames(HWND parent);
// After a window painted area (its client coordinates): the windows above it that it may
// have covered are painted again, so that the topmost stays on top (surface_overlap.cpp).
void WmRepaintWindowsAbove(HWND window, const RECT& area);

// Focus and activation (focus.cpp).
void WmSetFocusWindow(HWND window);
void WmActivate(HWND window, int how, bool giveFocus);
// Activates the topmost other top-level window that can be, or none.
void WmActivateOther(HWND window);
void WmReleaseCaptureIfIn(HWND window);

// Messages (message_queue.cpp).
void WmDropMessagesFor(HWND window);
// Appends a message made from the display's input to the queue.
void WmQueueInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void WmClearQueues();
// Whether a message is waiting: posted, input, a quit request or a window to paint.
bool WmHasQueuedWork();
DWORD WmMessageTime();

// Keyboard (keyboard.cpp): the key state as the thread took its input (GetKeyState), and
// as the input arrived from the display.
void WmTakeInputMessage(const MSG& message);
bool WmKeyDownNow(int virtualKey);
void WmSetPhysicalKey(int virtualKey, bool down);
void WmClearKeyStates();

// Input (input.cpp): the display's events turned into messages.
void WmProcessEvent(const DisplayEvent& event);
void WmClearInputState();
POINT WmCursorPos();

// Clipboard and WinHelp (clipboard.cpp, winhelp.cpp).
void WmResetClipboard();
void WmResetWinHelp();

// Back to the start: every window destroyed, the program's classes unregistered, the
// queues, focus, activation, capture, key state, clipboard and help record cleared.
void WmReset();
