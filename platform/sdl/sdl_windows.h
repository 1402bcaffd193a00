// Inside the desktop display: the SDL windows that show the program's top-level windows.
#pragma once

#include "platform/winapi.h"

#include <SDL.h>

#include <deque>
#include <map>

// Each shown top-level window is an SDL window as large as its client area, first placed
// where the window is (the desktop puts its frame and caption there and the client area
// inside; the window then follows to where that is), with the
// caption as its title and the class icon as its icon; neither resizable nor
// maximisable. A pop-up without a caption (such as a dropped list) is a borderless window
// that the desktop neither decorates nor activates.
class SdlWindows {
  public:
    SdlWindows() = default;
    SdlWindows(const SdlWindows&) = delete;
    SdlWindows& operator=(const SdlWindows&) = delete;
    ~SdlWindows() { DestroyAll(); }

    // What the window manager reports about a top-level window.
    void Shown(HWND window, bool visible, bool minimized);
    void Moved(HWND window);
    void Retitled(HWND window, const char* title);
    void Destroyed(HWND window);
    // Part of a window (a child or a top-level one) needs painting.
    void Invalidated(HWND window);

    // The desktop minimised or restored the window; true when the program does not know yet.
    bool DesktopMinimized(HWND window, bool minimized);
    // The desktop asks for the window's picture again.
    void Exposed(Uint32 windowId);
    // Moves every window whose SDL window the desktop put elsewhere (its frame, its own
    // placement, the user dragging it) to where its client area now is.
    void FollowDesktop();
    // Paints whatever needs it and shows it; false when nothing was to be shown.
    bool PresentPending();

    HWND WindowFor(Uint32 windowId) const;
    bool IsPopup(HWND window) const;
    void DestroyAll();

  private:
    struct Entry {
        SDL_Window* window = nullptr;
        SDL_Renderer* renderer = nullptr;
        SDL_Texture* texture = nullptr;
        int textureWidth = 0;
        int textureHeight = 0;
        bool popup = false;
        bool dirty = true;      // to be shown whatever its surface says
        uint64_t version = 0;   // of the surface last shown
        bool minimized = false; // as the desktop shows it
        // Changes the desktop made that the window manager has still to report back: its
        // report of them must not be sent to the desktop again, which may have moved on.
        std::deque<bool> echoes;
    };

    Entry* Find(HWND window);
    Entry* Create(HWND window);
    void Present(HWND window, Entry& shown);
    static void Release(Entry& shown);

    std::map<HWND, Entry> windows_;
    bool following_ = false; // moving a window where the desktop put it
};

// A window's client area in screen coordinates.
POINT ClientOriginOf(HWND window);
