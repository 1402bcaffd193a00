// Inside the desktop display: window titles in UTF-8.
#pragma once

#include <SDL.h>

// Sets an SDL window's title. On X11 the title properties are written as UTF-8 text
// directly, since SDL converts them through the process's locale, which is the "C"
// locale in this program and would garble every character beyond ASCII.
void SetUtf8Title(SDL_Window* window, const char* utf8);

// Tells the desktop which frame controls a window has, from its Win32 style: the close
// box with WS_SYSMENU, minimise with WS_MINIMIZEBOX, maximise with WS_MAXIMIZEBOX, a
// sizing border with WS_THICKFRAME. Set before the window is first shown.
void SetFrameControls(SDL_Window* window, unsigned long style);
