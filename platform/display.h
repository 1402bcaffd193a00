// Inside the layer: what a display provides to the window manager. The headless display
// (for tests) and a desktop display implement it; the window manager turns its input
// into messages and tells it what happens to the top-level windows.
#pragma once

#include "platform/gdi_device.h"

#include <string>

// The screen: size in pixels, physical size and logical dots per inch.
struct DisplayMetrics {
    int width = 1280;
    int height = 1024;
    int widthMm = 339;
    int heightMm = 271;
    int dpi = 96;
};

enum class DisplayEventType {
    KeyDown,    // key: a virtual-key code went down (again, when it repeats)
    KeyUp,      // key: a virtual-key code went up
    Char,       // character: a typed character in the code page
    MouseMove,  // point
    ButtonDown, // button at point
    ButtonUp,   // button at point
    Wheel,      // wheelDelta (multiples of WHEEL_DELTA, positive away from the user) at point
    Activate,   // window: the user activated this top-level window
    Deactivate, // window: the user activated something outside the program
    Close,      // window: the user asked to close this top-level window
    Minimize,   // window: the user asked to minimise it
    Restore,    // window: the user asked to restore it
};

enum class MouseButton { Left, Right, Middle };

struct DisplayEvent {
    DisplayEventType type = DisplayEventType::MouseMove;
    int key = 0;
    unsigned char character = 0;
    POINT point{0, 0}; // screen coordinates
    MouseButton button = MouseButton::Left;
    int clicks = 1; // ButtonDown: 2 when it completes a double click
    int wheelDelta = 0;
    HWND window = nullptr;
};

class Display {
  public:
    virtual ~Display() = default;

    virtual DisplayMetrics Metrics() const = 0;

    // Whether top-level windows can be shown; when not (a desktop display that found no
    // desktop), creating one fails.
    virtual bool CanShowWindows() const { return true; }

    // The next input event. Without wait: false when none is pending now. With wait: blocks
    // until one arrives; false only when none will ever come (the run cannot go on).
    virtual bool NextEvent(DisplayEvent& event, bool wait) = 0;

    // The clipboard's text in the code page; false when it holds none.
    virtual bool ClipboardText(std::string& text) const = 0;
    // Replaces the clipboard's text; nullptr empties it.
    virtual void SetClipboardText(const std::string* text) = 0;

    // What happens to top-level windows (rect in screen coordinates, title in the code page).
    virtual void WindowShown(HWND window, bool visible, bool minimized) {
        (void)window, (void)visible, (void)minimized;
    }
    virtual void WindowMoved(HWND window, const RECT& rect) { (void)window, (void)rect; }
    virtual void WindowRetitled(HWND window, const char* title) { (void)window, (void)title; }
    virtual void WindowDestroyed(HWND window) { (void)window; }
    // Part of a window (any window; rect in its client coordinates) needs painting.
    virtual void WindowInvalidated(HWND window, const RECT& rect) { (void)window, (void)rect; }
};

// The display in use. Until one is installed, a display without input or screen of its
// own stands in (1280 x 1024 at 96 dots per inch).
Display& CurrentDisplay();
// Installs a display (nullptr: back to the stand-in). The caller keeps it alive.
void InstallDisplay(Display* display);
// The display as GDI sees it.
GdiDevice CurrentGdiDevice();
