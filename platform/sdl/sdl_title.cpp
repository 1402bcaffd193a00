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

void SetFrameControls(SDL_Window* window, unsigned long style) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return;
    // The window manager hints that Motif defined and desktops still read: which
    // functions the frame offers and which decorations it draws.
    enum : long {
        HintFunctions = 1,
        HintDecorations = 2,
        FunctionResize = 2,
        FunctionMove = 4,
        FunctionMinimize = 8,
        FunctionMaximize = 16,
        FunctionClose = 32,
        DecorBorder = 2,
        DecorResize = 4,
        DecorTitle = 8,
        DecorMenu = 16,
        DecorMinimize = 32,
        DecorMaximize = 64,
    };
    long hints[5] = {HintFunctions | HintDecorations, FunctionMove, DecorBorder, 0, 0};
    const unsigned long caption = 0x00C00000, sysmenu = 0x00080000, thickframe = 0x00040000,
                        minimizebox = 0x00020000, maximizebox = 0x00010000;
    if ((style & caption) == caption)
        hints[2] |= DecorTitle;
    if (style & sysmenu) {
        hints[1] |= FunctionClose;
        hints[2] |= DecorMenu;
    }
    if (style & minimizebox) {
        hints[1] |= FunctionMinimize;
        hints[2] |= DecorMinimize;
    }
    if (style & maximizebox) {
        hints[1] |= FunctionMaximize;
        hints[2] |= DecorMaximize;
    }
    if (style & thickframe) {
        hints[1] |= FunctionResize;
        hints[2] |= DecorResize;
    }
    ::Display* x = info.info.x11.display;
    Atom property = XInternAtom(x, "_MOTIF_WM_HINTS", False);
    XChangeProperty(x, info.info.x11.window, property, property, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(hints), 5);
    XFlush(x);
}
