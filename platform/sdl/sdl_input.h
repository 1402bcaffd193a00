// Inside the desktop display: SDL's input events turned into the display's events.
#pragma once

#include "platform/display.h"

#include <SDL.h>

#include <array>
#include <deque>
#include <string>

// What the translation needs to know about the windows on the desktop.
class SdlWindowLookup {
  public:
    virtual ~SdlWindowLookup() = default;
    // The top-level window shown in an SDL window; nullptr for none of ours.
    virtual HWND WindowFor(Uint32 windowId) const = 0;
    // Its client area's top left corner in screen coordinates.
    virtual POINT ClientOrigin(HWND window) const = 0;
    // False for a pop-up (such as a dropped list), which the user never activates.
    virtual bool TakesActivation(HWND window) const = 0;
    // The desktop minimised (or restored) the window: true when that is news, which the
    // program is then told; false when the desktop only shows what the program asked for.
    virtual bool DesktopMinimized(HWND window, bool minimized) = 0;
};

// The SDL events after the one being translated.
class SdlEventSource {
  public:
    virtual ~SdlEventSource() = default;
    // The next event, left where it is; false when none is waiting.
    virtual bool Peek(SDL_Event& event) = 0;
    // Removes the next event.
    virtual void Drop() = 0;
};

// Keys come as key events with virtual-key codes; the window manager makes the
// characters of Tab, Enter, Backspace, Escape and of keys held with Ctrl or Alt from them,
// and those of the other keys too, on a US layout. Typed text is the desktop's, whatever
// its layout: where the window manager would make the very character typed, the key goes
// through and the text is dropped; where it would make another one (or none was typed),
// the key is withheld and the text delivered as characters. So every character arrives
// once, and the right one.
class SdlInput {
  public:
    // Appends the display's events for one SDL event (none, one or more) to out; may take
    // the text that follows a key press from following.
    void Translate(const SDL_Event& event, SdlEventSource& following, SdlWindowLookup& windows,
                   std::deque<DisplayEvent>& out);

  private:
    void KeyDown(const SDL_KeyboardEvent& key, SdlEventSource& following,
                 std::deque<DisplayEvent>& out);
    void KeyUp(const SDL_KeyboardEvent& key, std::deque<DisplayEvent>& out);
    // Characters of the code page, one event each.
    void Characters(const std::string& text, std::deque<DisplayEvent>& out) const;
    void Window(const SDL_WindowEvent& event, SdlEventSource& following, SdlWindowLookup& windows,
                std::deque<DisplayEvent>& out) const;
    // Whether Ctrl or Alt is held as the window manager was told.
    bool ShortcutHeld() const;

    // The virtual-key code of each key whose press the window manager had; 0 for none.
    std::array<int, SDL_NUM_SCANCODES> sentKey_{};
    POINT mouse_{0, 0}; // the pointer in screen coordinates
};
