// The headless display and the calls that drive it.
#include "platform/headless/headless.h"

#include "platform/window_manager.h"

#include <deque>
#include <map>

namespace {

class HeadlessDisplay : public Display {
  public:
    DisplayMetrics Metrics() const override {
        DisplayMetrics metrics;
        metrics.width = 1280;
        metrics.height = 1024;
        metrics.dpi = dpi;
        // The physical size that makes the resolution come out at dpi.
        metrics.widthMm = MulDiv(metrics.width, 254, dpi * 10);
        metrics.heightMm = MulDiv(metrics.height, 254, dpi * 10);
        return metrics;
    }

    bool NextEvent(DisplayEvent& event, bool wait) override {
        // Nothing arrives from outside: what was injected, and what the idle hook injects
        // while the program waits, is all there is.
        while (wait && events.empty() && idleHook && !WmHasQueuedWork()) {
            if (!idleHook())
                break;
        }
        if (events.empty())
            return false;
        event = events.front();
        events.pop_front();
        return true;
    }

    bool ClipboardText(std::string& text) const override {
        text = clipboard;
        return hasClipboard;
    }
    void SetClipboardText(const std::string* text) override {
        hasClipboard = text != nullptr;
        clipboard = text ? *text : std::string();
    }

    void WindowShown(HWND window, bool visible, bool minimized) override {
        HeadlessWindowState& state = windows[window];
        state.known = true;
        state.visible = visible;
        state.minimized = minimized;
    }
    void WindowMoved(HWND window, const RECT& rect) override {
        windows[window].known = true;
        windows[window].rect = rect;
    }
    void WindowRetitled(HWND window, const char* title) override {
        windows[window].known = true;
        windows[window].title = title;
    }
    void WindowDestroyed(HWND window) override { windows.erase(window); }

    // Counts the clicks of a button-down: the second of down, up, down at one point with
    // nothing else between is a double click; a third starts again.
    void CountClicks(DisplayEvent& event) {
        bool samePoint = event.point.x == lastDown.point.x && event.point.y == lastDown.point.y &&
                         event.button == lastDown.button;
        if (event.type == DisplayEventType::ButtonDown) {
            event.clicks = clickStep == ClickStep::Released && samePoint ? 2 : 1;
            lastDown = event;
            clickStep = ClickStep::Down;
        } else if (event.type == DisplayEventType::ButtonUp && clickStep == ClickStep::Down &&
                   samePoint && lastDown.clicks == 1) {
            clickStep = ClickStep::Released;
        } else {
            clickStep = ClickStep::None;
        }
    }

    void Clear() {
        clickStep = ClickStep::None;
        events.clear();
        idleHook = nullptr;
        clipboard.clear();
        hasClipboard = false;
        windows.clear();
    }

    enum class ClickStep { None, Down, Released };
    ClickStep clickStep = ClickStep::None;
    DisplayEvent lastDown;
    int dpi = 96;
    std::deque<DisplayEvent> events;
    std::string clipboard;
    bool hasClipboard = false;
    std::map<HWND, HeadlessWindowState> windows;
    std::function<bool()> idleHook;
};

HeadlessDisplay& Headless() {
    static HeadlessDisplay display;
    return display;
}

void Inject(DisplayEvent event) {
    HeadlessInstall();
    Headless().CountClicks(event);
    Headless().events.push_back(event);
}

DisplayEvent MouseEvent(DisplayEventType type, int x, int y, MouseButton button) {
    DisplayEvent event;
    event.type = type;
    event.point = POINT{x, y};
    event.button = button;
    return event;
}

DisplayEvent WindowEvent(DisplayEventType type, HWND window) {
    DisplayEvent event;
    event.type = type;
    event.window = window;
    return event;
}

} // namespace

void HeadlessInstall() {
    if (&CurrentDisplay() != &Headless())
        InstallDisplay(&Headless());
}

void HeadlessReset() {
    HeadlessInstall();
    WmReset();
    Headless().Clear();
    Headless().dpi = 96;
    InstallDisplay(&Headless()); // tells GDI the resolution again
}

void HeadlessSetIdleHook(std::function<bool()> hook) {
    HeadlessInstall();
    Headless().idleHook = std::move(hook);
}

bool HeadlessSetDpi(int dpi) {
    if (dpi <= 0 || !Wm().windows.empty())
        return false;
    Headless().dpi = dpi;
    InstallDisplay(&Headless());
    return true;
}

void HeadlessKeyDown(int virtualKey) {
    DisplayEvent event;
    event.type = DisplayEventType::KeyDown;
    event.key = virtualKey;
    Inject(event);
}

void HeadlessKeyUp(int virtualKey) {
    DisplayEvent event;
    event.type = DisplayEventType::KeyUp;
    event.key = virtualKey;
    Inject(event);
}

void HeadlessKeyPress(int virtualKey) {
    HeadlessKeyDown(virtualKey);
    HeadlessKeyUp(virtualKey);
}

void HeadlessTypeChar(unsigned char character) {
    DisplayEvent event;
    event.type = DisplayEventType::Char;
    event.character = character;
    Inject(event);
}

void HeadlessTypeText(const std::string& text) {
    for (char c : text)
        HeadlessTypeChar((unsigned char)c);
}

void HeadlessMouseMove(int x, int y) {
    Inject(MouseEvent(DisplayEventType::MouseMove, x, y, MouseButton::Left));
}

void HeadlessMouseDown(int x, int y, MouseButton button) {
    Inject(MouseEvent(DisplayEventType::ButtonDown, x, y, button));
}

void HeadlessMouseUp(int x, int y, MouseButton button) {
    Inject(MouseEvent(DisplayEventType::ButtonUp, x, y, button));
}

void HeadlessClick(int x, int y, MouseButton button) {
    HeadlessMouseMove(x, y);
    HeadlessMouseDown(x, y, button);
    HeadlessMouseUp(x, y, button);
}

void HeadlessDoubleClick(int x, int y) {
    HeadlessMouseMove(x, y);
    for (int click = 0; click < 2; ++click) {
        HeadlessMouseDown(x, y);
        HeadlessMouseUp(x, y);
    }
}

void HeadlessMouseWheel(int x, int y, int delta) {
    DisplayEvent event = MouseEvent(DisplayEventType::Wheel, x, y, MouseButton::Left);
    event.wheelDelta = delta;
    Inject(event);
}

void HeadlessActivate(HWND window) {
    Inject(WindowEvent(DisplayEventType::Activate, window));
}

void HeadlessDeactivate(HWND window) {
    Inject(WindowEvent(DisplayEventType::Deactivate, window));
}

void HeadlessRequestClose(HWND window) {
    Inject(WindowEvent(DisplayEventType::Close, window));
}

void HeadlessMinimize(HWND window) {
    Inject(WindowEvent(DisplayEventType::Minimize, window));
}

void HeadlessRestore(HWND window) {
    Inject(WindowEvent(DisplayEventType::Restore, window));
}

size_t HeadlessPendingInput() {
    return Headless().events.size();
}

bool HeadlessPump(int* exitCode) {
    HeadlessInstall();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            if (exitCode)
                *exitCode = (int)msg.wParam;
            return true;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return false;
}

HeadlessWindowState HeadlessWindow(HWND window) {
    auto found = Headless().windows.find(window);
    return found == Headless().windows.end() ? HeadlessWindowState{} : found->second;
}
