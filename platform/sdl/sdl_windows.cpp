// The program's top-level windows as SDL windows, and their pictures on the screen.
#include "platform/sdl/sdl_windows.h"

#include "platform/codepage.h"
#include "platform/sdl/sdl_icon.h"
#include "platform/sdl/sdl_title.h"
#include "platform/surface.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

SIZE ClientSizeOf(HWND window) {
    RECT client{0, 0, 0, 0};
    GetClientRect(window, &client);
    // SDL makes no window without pixels.
    return SIZE{std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1)};
}

std::string TitleOf(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string title(length > 0 ? (size_t)length + 1 : 1, '\0');
    int copied = GetWindowTextA(window, title.data(), (int)title.size());
    title.resize(copied > 0 ? (size_t)copied : 0);
    return AnsiToUtf8(title);
}

bool IsPopupStyle(HWND window) {
    DWORD style = (DWORD)GetWindowLongA(window, GWL_STYLE);
    return (style & WS_POPUP) && (style & WS_CAPTION) != WS_CAPTION;
}

// The top-level window that a window lies in; nullptr when it is none of the program's.
HWND TopLevelOf(HWND window) {
    for (int depth = 0; window && depth < 256; ++depth) {
        if (!(GetWindowLongA(window, GWL_STYLE) & WS_CHILD))
            return window;
        window = GetParent(window);
    }
    return nullptr;
}

} // namespace

POINT ClientOriginOf(HWND window) {
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return origin;
}

SdlWindows::Entry* SdlWindows::Find(HWND window) {
    auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : &found->second;
}

SdlWindows::Entry* SdlWindows::Create(HWND window) {
    Entry shown;
    shown.popup = IsPopupStyle(window);
    // A pop-up goes exactly where it is; a window's frame goes where its frame is.
    POINT origin = ClientOriginOf(window);
    if (!shown.popup) {
        RECT frame{0, 0, 0, 0};
        GetWindowRect(window, &frame);
        origin = POINT{frame.left, frame.top};
    }
    SIZE size = ClientSizeOf(window);
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (shown.popup)
        flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR |
                 SDL_WINDOW_ALWAYS_ON_TOP;
    shown.window = SDL_CreateWindow("", origin.x, origin.y, size.cx, size.cy, flags);
    if (shown.window == nullptr)
        return nullptr;
    if (SDL_Surface* icon = ClassIconSurface(window)) {
        SDL_SetWindowIcon(shown.window, icon);
        SDL_FreeSurface(icon);
    }
    shown.renderer = SDL_CreateRenderer(shown.window, -1, SDL_RENDERER_SOFTWARE);
    if (shown.renderer == nullptr) {
        Release(shown);
        return nullptr;
    }
    SetUtf8Title(shown.window, TitleOf(window).c_str());
    if (!shown.popup)
        SetFrameControls(shown.window, (unsigned long)GetWindowLongA(window, GWL_STYLE));
    return &(windows_[window] = shown);
}

void SdlWindows::Shown(HWND window, bool visible, bool minimized) {
    Entry* shown = Find(window);
    if (!visible) {
        if (shown)
            SDL_HideWindow(shown->window);
        return;
    }
    if (shown == nullptr && (shown = Create(window)) == nullptr)
        return;
    shown->dirty = true;
    if (!shown->echoes.empty()) {
        // The program is still catching up with what the desktop did: its reports until
        // then say nothing new to the desktop.
        if (shown->echoes.front() == minimized)
            shown->echoes.pop_front();
        return;
    }
    if (minimized) {
        if (!shown->minimized) {
            SDL_ShowWindow(shown->window);
            SDL_MinimizeWindow(shown->window);
            shown->minimized = true;
        }
        return;
    }
    if (shown->minimized) {
        SDL_RestoreWindow(shown->window);
        shown->minimized = false;
    }
    SDL_ShowWindow(shown->window);
}

bool SdlWindows::DesktopMinimized(HWND window, bool minimized) {
    Entry* shown = Find(window);
    if (shown == nullptr || shown->minimized == minimized)
        return false;
    shown->minimized = minimized;
    shown->echoes.push_back(minimized);
    return true;
}

void SdlWindows::Moved(HWND window) {
    Entry* shown = Find(window);
    if (shown == nullptr)
        return;
    POINT origin = ClientOriginOf(window);
    SIZE size = ClientSizeOf(window);
    int x = 0, y = 0, width = 0, height = 0;
    SDL_GetWindowPosition(shown->window, &x, &y);
    SDL_GetWindowSize(shown->window, &width, &height);
    if (x != origin.x || y != origin.y)
        SDL_SetWindowPosition(shown->window, origin.x, origin.y);
    if (width != size.cx || height != size.cy) {
        SDL_SetWindowSize(shown->window, size.cx, size.cy);
        shown->dirty = true;
    }
}

void SdlWindows::Retitled(HWND window, const char* title) {
    if (Entry* shown = Find(window))
        SetUtf8Title(shown->window, AnsiToUtf8(title ? title : "").c_str());
}

void SdlWindows::Destroyed(HWND window) {
    auto found = windows_.find(window);
    if (found == windows_.end())
        return;
    Release(found->second);
    windows_.erase(found);
}

void SdlWindows::Invalidated(HWND window) {
    if (Entry* shown = Find(TopLevelOf(window)))
        shown->dirty = true;
}

void SdlWindows::Exposed(Uint32 windowId) {
    if (Entry* shown = Find(WindowFor(windowId)))
        shown->dirty = true;
}

void SdlWindows::FollowDesktop() {
    std::vector<std::pair<HWND, POINT>> moves;
    for (const auto& [window, shown] : windows_) {
        int x = 0, y = 0;
        SDL_GetWindowPosition(shown.window, &x, &y);
        POINT now{x, y};
        POINT origin = ClientOriginOf(window);
        if (!shown.popup && (now.x != origin.x || now.y != origin.y))
            moves.emplace_back(window, now);
    }
    for (const auto& [window, now] : moves) {
        POINT origin = ClientOriginOf(window);
        RECT frame{0, 0, 0, 0};
        GetWindowRect(window, &frame);
        following_ = true;
        MoveWindow(window, frame.left + now.x - origin.x, frame.top + now.y - origin.y,
                   frame.right - frame.left, frame.bottom - frame.top, FALSE);
        following_ = false;
    }
}

bool SdlWindows::PresentPending() {
    if (windows_.empty())
        return false;
    PaintPendingWindows();
    // Painting may have destroyed windows: take the list afresh.
    std::vector<HWND> changed;
    for (auto& [window, shown] : windows_) {
        const Surface* surface = WindowSurface(window);
        if (shown.dirty || (surface && surface->version != shown.version))
            changed.push_back(window);
    }
    for (HWND window : changed) {
        if (Entry* shown = Find(window))
            Present(window, *shown);
    }
    return !changed.empty();
}

void SdlWindows::Present(HWND window, Entry& shown) {
    shown.dirty = false;
    DWORD face = GetSysColor(COLOR_BTNFACE);
    // The surface stays valid until the next call into the layer: none follows below.
    const Surface* surface = WindowSurface(window);
    if (surface)
        shown.version = surface->version;
    bool usable = surface && surface->width > 0 && surface->height > 0 &&
                  surface->pixels.size() >= (size_t)surface->width * (size_t)surface->height;
    SDL_SetRenderDrawColor(shown.renderer, GetRValue(face), GetGValue(face), GetBValue(face), 255);
    SDL_RenderClear(shown.renderer);
    if (usable) {
        if (shown.texture == nullptr || shown.textureWidth != surface->width ||
            shown.textureHeight != surface->height) {
            if (shown.texture)
                SDL_DestroyTexture(shown.texture);
            shown.texture =
                SDL_CreateTexture(shown.renderer, SDL_PIXELFORMAT_RGB888,
                                  SDL_TEXTUREACCESS_STREAMING, surface->width, surface->height);
            shown.textureWidth = surface->width;
            shown.textureHeight = surface->height;
        }
        if (shown.texture && SDL_UpdateTexture(shown.texture, nullptr, surface->pixels.data(),
                                               surface->width * (int)sizeof(uint32_t)) == 0) {
            SDL_Rect area{0, 0, surface->width, surface->height};
            SDL_RenderCopy(shown.renderer, shown.texture, nullptr, &area);
        }
    }
    SDL_RenderPresent(shown.renderer);
}

HWND SdlWindows::WindowFor(Uint32 windowId) const {
    SDL_Window* sdlWindow = SDL_GetWindowFromID(windowId);
    if (sdlWindow == nullptr)
        return nullptr;
    for (const auto& [window, shown] : windows_) {
        if (shown.window == sdlWindow)
            return window;
    }
    return nullptr;
}

bool SdlWindows::IsPopup(HWND window) const {
    auto found = windows_.find(window);
    return found != windows_.end() && found->second.popup;
}

void SdlWindows::DestroyAll() {
    for (auto& [window, shown] : windows_)
        Release(shown);
    windows_.clear();
}

void SdlWindows::Release(Entry& shown) {
    if (shown.texture)
        SDL_DestroyTexture(shown.texture);
    if (shown.renderer)
        SDL_DestroyRenderer(shown.renderer);
    if (shown.window)
        SDL_DestroyWindow(shown.window);
    shown = Entry{};
}
