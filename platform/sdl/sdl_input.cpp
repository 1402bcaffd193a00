// SDL's keyboard, text, mouse and window events as the display's events.
#include "platform/sdl/sdl_input.h"

#include "platform/sdl/sdl_keys.h"
#include "platform/sdl/sdl_text.h"

#include <string>

namespace {

DisplayEvent Event(DisplayEventType type) {
    DisplayEvent event;
    event.type = type;
    return event;
}

DisplayEvent KeyEvent(DisplayEventType type, int virtualKey) {
    DisplayEvent event = Event(type);
    event.key = virtualKey;
    return event;
}

DisplayEvent WindowEvent(DisplayEventType type, HWND window) {
    DisplayEvent event = Event(type);
    event.window = window;
    return event;
}

bool MouseButtonFor(Uint8 button, MouseButton* out) {
    switch (button) {
    case SDL_BUTTON_LEFT:
        *out = MouseButton::Left;
        return true;
    case SDL_BUTTON_RIGHT:
        *out = MouseButton::Right;
        return true;
    case SDL_BUTTON_MIDDLE:
        *out = MouseButton::Middle;
        return true;
    default:
        return false;
    }
}

// A point in an SDL window as a point on the screen; false for a window not ours.
bool ScreenPoint(const SdlWindowLookup& windows, Uint32 windowId, int x, int y, POINT* point) {
    HWND window = windows.WindowFor(windowId);
    if (window == nullptr)
        return false;
    POINT origin = windows.ClientOrigin(window);
    *point = POINT{origin.x + x, origin.y + y};
    return true;
}

} // namespace

void SdlInput::Translate(const SDL_Event& event, SdlEventSource& following,
                         SdlWindowLookup& windows, std::deque<DisplayEvent>& out) {
    switch (event.type) {
    case SDL_KEYDOWN:
        KeyDown(event.key, following, out);
        break;
    case SDL_KEYUP:
        KeyUp(event.key, out);
        break;
    case SDL_TEXTINPUT:
        // Text on its own (from an input method, say); with Ctrl or Alt held it belongs to
        // a shortcut, which the key events carry.
        if (!ShortcutHeld())
            Characters(TypedCharacters(event.text.text), out);
        break;
    case SDL_MOUSEMOTION: {
        POINT point;
        if (!ScreenPoint(windows, event.motion.windowID, event.motion.x, event.motion.y, &point))
            break;
        mouse_ = point;
        DisplayEvent move = Event(DisplayEventType::MouseMove);
        move.point = point;
        out.push_back(move);
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        POINT point;
        MouseButton button;
        if (!MouseButtonFor(event.button.button, &button) ||
            !ScreenPoint(windows, event.button.windowID, event.button.x, event.button.y, &point))
            break;
        mouse_ = point;
        DisplayEvent click = Event(event.type == SDL_MOUSEBUTTONDOWN ? DisplayEventType::ButtonDown
                                                                     : DisplayEventType::ButtonUp);
        click.point = point;
        click.button = button;
        // Every second click in a row at one place completes a double click.
        if (event.type == SDL_MOUSEBUTTONDOWN && event.button.clicks >= 2 &&
            event.button.clicks % 2 == 0)
            click.clicks = 2;
        out.push_back(click);
        break;
    }
    case SDL_MOUSEWHEEL: {
        int steps =
            event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        if (steps == 0)
            break;
        POINT point;
        if (ScreenPoint(windows, event.wheel.windowID, event.wheel.mouseX, event.wheel.mouseY,
                        &point))
            mouse_ = point;
        DisplayEvent wheel = Event(DisplayEventType::Wheel);
        wheel.point = mouse_;
        wheel.wheelDelta = steps * WHEEL_DELTA;
        out.push_back(wheel);
        break;
    }
    case SDL_WINDOWEVENT:
        Window(event.window, following, windows, out);
        break;
    default:
        break;
    }
}

void SdlInput::KeyDown(const SDL_KeyboardEvent& key, SdlEventSource& following,
                       std::deque<DisplayEvent>& out) {
    SDL_Scancode code = key.keysym.scancode;
    int virtualKey = VirtualKeyFor(key.keysym);
    if (virtualKey == 0 || code < 0 || code >= SDL_NUM_SCANCODES)
        return; // a text that it typed comes on its own
    bool shortcut = ShortcutHeld();
    bool shift = sentKey_[SDL_SCANCODE_LSHIFT] || sentKey_[SDL_SCANCODE_RSHIFT];
    int made = shortcut ? -1 : CharacterMadeFor(virtualKey, shift);

    // The desktop puts the text that a key typed right after its press.
    SDL_Event next;
    bool typed = following.Peek(next) && next.type == SDL_TEXTINPUT;
    std::string text;
    if (typed) {
        text = TypedCharacters(next.text.text);
        following.Drop();
    }
    bool passKey = true;
    if (shortcut) {
        text.clear(); // the window manager makes the control character, or none
    } else if (made >= 32) {
        // A key that types: it goes through when the window manager makes the very
        // character typed; a key that typed nothing (a dead key, say) makes nothing.
        passKey = typed && text.size() == 1 && (unsigned char)text[0] == made;
        if (passKey)
            text.clear();
    }
    if (passKey) {
        sentKey_[code] = virtualKey;
        out.push_back(KeyEvent(DisplayEventType::KeyDown, virtualKey));
    }
    Characters(text, out);
}

void SdlInput::KeyUp(const SDL_KeyboardEvent& key, std::deque<DisplayEvent>& out) {
    SDL_Scancode code = key.keysym.scancode;
    if (code < 0 || code >= SDL_NUM_SCANCODES || sentKey_[code] == 0)
        return; // the window manager never had its press
    out.push_back(KeyEvent(DisplayEventType::KeyUp, sentKey_[code]));
    sentKey_[code] = 0;
}

void SdlInput::Characters(const std::string& text, std::deque<DisplayEvent>& out) const {
    for (char c : text) {
        DisplayEvent character = Event(DisplayEventType::Char);
        character.character = (unsigned char)c;
        out.push_back(character);
    }
}

void SdlInput::Window(const SDL_WindowEvent& event, SdlEventSource& following,
                      SdlWindowLookup& windows, std::deque<DisplayEvent>& out) const {
    HWND window = windows.WindowFor(event.windowID);
    if (window == nullptr)
        return;
    switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        if (windows.TakesActivation(window))
            out.push_back(WindowEvent(DisplayEventType::Activate, window));
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST: {
        // The focus moving on to another of the program's windows is that window's
        // activation, not the program's loss of it.
        SDL_Event next;
        if (following.Peek(next) && next.type == SDL_WINDOWEVENT &&
            next.window.event == SDL_WINDOWEVENT_FOCUS_GAINED &&
            windows.WindowFor(next.window.windowID) != nullptr)
            break;
        out.push_back(WindowEvent(DisplayEventType::Deactivate, window));
        break;
    }
    case SDL_WINDOWEVENT_CLOSE:
        out.push_back(WindowEvent(DisplayEventType::Close, window));
        break;
    // The desktop also reports what the program did itself: only news is passed on.
    case SDL_WINDOWEVENT_MINIMIZED:
        if (windows.DesktopMinimized(window, true))
            out.push_back(WindowEvent(DisplayEventType::Minimize, window));
        break;
    case SDL_WINDOWEVENT_RESTORED:
        if (windows.DesktopMinimized(window, false))
            out.push_back(WindowEvent(DisplayEventType::Restore, window));
        break;
    default:
        break;
    }
}

bool SdlInput::ShortcutHeld() const {
    return sentKey_[SDL_SCANCODE_LCTRL] || sentKey_[SDL_SCANCODE_RCTRL] ||
           sentKey_[SDL_SCANCODE_LALT] || sentKey_[SDL_SCANCODE_RALT];
}
