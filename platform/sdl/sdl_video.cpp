// Opening the desktop and reading its resolution.
#include "platform/sdl/sdl_video.h"

#include <SDL.h>
#include <X11/Xlib.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool Named(const char* value, const char* name) {
    return value && SDL_strcasecmp(value, name) == 0;
}

// Drivers that show nothing to anyone: a run on them would wait for a user forever.
bool ShowsNothing(const char* driver) {
    return Named(driver, "offscreen") || Named(driver, "dummy") || Named(driver, "evdev");
}

// The desktop drivers worth trying, in SDL's order: X11, and Wayland only when the
// session names a compositor (trying it otherwise makes its library print a complaint).
std::string DesktopDrivers() {
    bool wayland = getenv("WAYLAND_DISPLAY") || getenv("WAYLAND_SOCKET");
    std::string list;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        const char* driver = SDL_GetVideoDriver(i);
        if (Named(driver, "x11") || (wayland && Named(driver, "wayland"))) {
            if (!list.empty())
                list += ',';
            list += driver;
        }
    }
    return list;
}

// A resolution written as digits with an optional fraction ("144", " 120.5"), rounded;
// 0 for anything else. Read without the locale, which may want a decimal comma.
int DotsPerInch(std::string_view value) {
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
        value.remove_prefix(1);
    long whole = 0;
    size_t pos = 0;
    for (; pos < value.size() && value[pos] >= '0' && value[pos] <= '9'; ++pos) {
        whole = whole * 10 + (value[pos] - '0');
        if (whole >= 10000)
            return 0;
    }
    if (pos == 0)
        return 0;
    if (pos + 1 < value.size() && value[pos] == '.' && value[pos + 1] >= '5' &&
        value[pos + 1] <= '9')
        ++whole;
    return (int)whole;
}

int XftDpi() {
    ::Display* x = XOpenDisplay(nullptr);
    if (x == nullptr)
        return 0;
    int dpi = XftDpiFrom(XResourceManagerString(x));
    XCloseDisplay(x);
    return dpi;
}

// A request about a window that another program has just closed (answering its clipboard
// request, say) fails with BadWindow; Xlib's own handler would end the program for it.
int IgnoreProtocolError(::Display*, XErrorEvent*) {
    return 0;
}

} // namespace

bool OpenDesktopVideo() {
    // Interrupts end the program as they end any other; SDL would turn them into events.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    if (getenv("SDL_VIDEODRIVER") == nullptr) {
        std::string drivers = DesktopDrivers();
        if (drivers.empty())
            return false;
        SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return false;
    if (ShowsNothing(SDL_GetCurrentVideoDriver())) {
        SDL_Quit();
        return false;
    }
    if (Named(SDL_GetCurrentVideoDriver(), "x11"))
        XSetErrorHandler(IgnoreProtocolError);
    return true;
}

int DesktopDpi() {
    int dpi = 0;
    if (Named(SDL_GetCurrentVideoDriver(), "x11"))
        dpi = XftDpi();
    float vertical = 0;
    if (dpi == 0 && SDL_GetDisplayDPI(0, nullptr, nullptr, &vertical) == 0 &&
        std::isfinite(vertical) && vertical > 0 && vertical < 10000)
        dpi = (int)std::lround(vertical);
    return dpi > 96 ? dpi : 96;
}

int XftDpiFrom(const char* resources) {
    if (resources == nullptr)
        return 0;
    std::string_view text(resources);
    int dpi = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        std::string_view key = line.substr(0, colon);
        while (!key.empty() && (key.back() == ' ' || key.back() == '\t'))
            key.remove_suffix(1);
        while (!key.empty() && (key.front() == ' ' || key.front() == '\t'))
            key.remove_prefix(1);
        if (key != "Xft.dpi")
            continue;
        // The last entry wins, as in the resource database.
        dpi = DotsPerInch(line.substr(colon + 1));
    }
    return dpi;
}
