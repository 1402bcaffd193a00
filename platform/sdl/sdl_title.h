// Inside the desktop display: window titles in UTF-8.
#pragma once

#include <SDL.h>

// Sets an SDL window's title. On X11 the title properties are written as UTF-8 text
// directly, since SDL converts them through the process's locale, which is the "C"
// locale in this program and would garble every character beyond ASCII.
void SetUtf8Title(SDL_Window* window, const char* utf8);
