// The desktop display: input, windows and the clipboard through SDL2.
#include "platform/sdl/sdl_display.h"

#include "platform/codepage.h"
#include "platform/window_internal.h"
#include "platform/sdl/sdl.h"
#include "platform/sdl/sdl_video.h"

namespace {

// SDL's queue, looked into after the event being translated.
class QueuedEvents : public SdlEventSource {
  public:
    bool Peek(SDL_Event& event) override {
        return SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1;
    }
    void Drop() override {
        SDL_Event event;
        SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
};

// How long one wait lasts before it looks again; the wait costs nothing meanwhile.
constexpr int WaitMilliseconds = 1000;

SdlDisplay& TheDisplay() {
    static SdlDisplay display;
    return display;
}

} // namespace

bool SdlDisplay::Open() {
    if (open_)
        return true;
    if (!OpenDesktopVideo())
        return false;
    open_ = true;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.w > 0 && mode.h > 0) {
        metrics_.width = mode.w;
        metrics_.height = mode.h;
    }
    metrics_.dpi = DesktopDpi();
    // The physical size that makes the resolution come out at the logical one.
    metrics_.widthMm = MulDiv(metrics_.width, 254, metrics_.dpi * 10);
    metrics_.heightMm = MulDiv(metrics_.height, 254, metrics_.dpi * 10);
    SDL_StartTextInput();
    return true;
}

void SdlDisplay::Close() {
    windows_.DestroyAll();
    pending_.clear();
    if (open_)
        SDL_Quit();
    open_ = false;
}

bool SdlDisplay::NextEvent(DisplayEvent& event, bool wait) {
    for (;;) {
        windows_.FollowDesktop();
        if (!pending_.empty()) {
            event = pending_.front();
            pending_.pop_front();
            return true;
        }
        if (!open_)
            return false;
        SDL_Event sdlEvent;
        if (SDL_PollEvent(&sdlEvent)) {
            Handle(sdlEvent);
            continue;
        }
        // Without any window no input could ever come.
        if (!wait || TopLevelWindows().empty())
            return false;
        windows_.PresentPending();
        if (SDL_WaitEventTimeout(&sdlEvent, WaitMilliseconds))
            Handle(sdlEvent);
    }
}

void SdlDisplay::Handle(const SDL_Event& event) {
    if (event.type == SDL_WINDOWEVENT) {
        switch (event.window.event) {
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
            windows_.Exposed(event.window.windowID);
            break;
        default:
            break;
        }
    }
    QueuedEvents following;
    input_.Translate(event, following, *this, pending_);
}

POINT SdlDisplay::ClientOrigin(HWND window) const {
    return ClientOriginOf(window);
}

bool SdlDisplay::DesktopMinimized(HWND window, bool minimized) {
    return windows_.DesktopMinimized(window, minimized);
}

bool SdlDisplay::ClipboardText(std::string& text) const {
    if (!open_) {
        text = clipboard_;
        return hasClipboard_;
    }
    if (!SDL_HasClipboardText())
        return false;
    char* utf8 = SDL_GetClipboardText();
    if (utf8 == nullptr)
        return false;
    text = Utf8ToAnsi(utf8);
    SDL_free(utf8);
    return true;
}

void SdlDisplay::SetClipboardText(const std::string* text) {
    if (!open_) {
        hasClipboard_ = text != nullptr;
        clipboard_ = text ? *text : std::string();
        return;
    }
    SDL_SetClipboardText(text ? AnsiToUtf8(*text).c_str() : "");
}

void SdlDisplay::WindowShown(HWND window, bool visible, bool minimized) {
    windows_.Shown(window, visible, minimized);
}

void SdlDisplay::WindowRetitled(HWND window, const char* title) {
    windows_.Retitled(window, title);
}

void SdlDisplay::WindowDestroyed(HWND window) {
    windows_.Destroyed(window);
}

void SdlDisplay::WindowInvalidated(HWND window, const RECT&) {
    windows_.Invalidated(window);
}

bool InstallSdlDisplay() {
    bool opened = TheDisplay().Open();
    InstallDisplay(&TheDisplay()); // also tells GDI the resolution
    return opened;
}

void CloseSdlDisplay() {
    if (&CurrentDisplay() == &TheDisplay())
        InstallDisplay(nullptr);
    TheDisplay().Close();
}
