// Inside the desktop display: the display itself.
#pragma once

#include "platform/display.h"
#include "platform/sdl/sdl_input.h"
#include "platform/sdl/sdl_windows.h"

#include <deque>
#include <string>

class SdlDisplay final : public Display, private SdlWindowLookup {
  public:
    // Opens SDL's video on the desktop; false when there is none.
    bool Open();
    void Close();
    bool IsOpen() const { return open_; }

    bool CanShowWindows() const override { return open_; }
    DisplayMetrics Metrics() const override { return metrics_; }
    // Input from the desktop. With wait, what needs painting is painted and shown first,
    // then the display sleeps until the desktop has something; it only gives up (false)
    // when no window is left that input could come to.
    bool NextEvent(DisplayEvent& event, bool wait) override;
    bool ClipboardText(std::string& text) const override;
    void SetClipboardText(const std::string* text) override;

    void WindowShown(HWND window, bool visible, bool minimized) override;
    void WindowMoved(HWND window, const RECT&) override { windows_.Moved(window); }
    void WindowRetitled(HWND window, const char* title) override;
    void WindowDestroyed(HWND window) override;
    void WindowInvalidated(HWND window, const RECT& rect) override;

  private:
    HWND WindowFor(Uint32 windowId) const override { return windows_.WindowFor(windowId); }
    POINT ClientOrigin(HWND window) const override;
    bool TakesActivation(HWND window) const override { return !windows_.IsPopup(window); }
    bool DesktopMinimized(HWND window, bool minimized) override;

    void Handle(const SDL_Event& event);

    bool open_ = false;
    DisplayMetrics metrics_;
    SdlWindows windows_;
    SdlInput input_;
    std::deque<DisplayEvent> pending_;
    // Without a desktop the clipboard is the program's own.
    std::string clipboard_;
    bool hasClipboard_ = false;
};
