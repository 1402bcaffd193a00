// Window titles in UTF-8, whatever the process's locale.
#include "platform/sdl/sdl_title.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>

#include <cstring>
#include <initializer_list>

void SetUtf8Title(SDL_Window* window, const char* utf8) {
    SDL_SetWindowTitle(window, utf8);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return;
    ::Display* x = info.info.x11.display;
    Atom utf8String = XInternAtom(x, "UTF8_STRING", False);
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8);
    int length = (int)strlen(utf8);
    for (Atom name : {XInternAtom(x, "_NET_WM_NAME", False), (Atom)XA_WM_NAME})
        XChangeProperty(x, info.info.x11.window, name, utf8String, 8, PropModeReplace, bytes,
                        length);
    XFlush(x);
}
