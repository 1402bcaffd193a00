// Inside the desktop display: a window's icon as the desktop shows it.
#pragma once

#include "platform/winapi.h"

#include <cstdint>
#include <vector>

struct SDL_Surface;

// The pixels of an icon resource image (a bitmap header with twice the icon's height, the
// palette, the colour bits and the transparency mask, rows bottom-up) as 0xAARRGGBB, rows
// top-down, transparent where the mask is set. False when the image is not of that form
// or shorter than its header says; nothing is read past its end.
bool DecodeIconImage(const std::vector<BYTE>& image, int width, int height,
                     std::vector<uint32_t>& pixels);

// The class icon of a window as a new surface for SDL_SetWindowIcon; nullptr when the
// class has no icon with a picture.
SDL_Surface* ClassIconSurface(HWND window);
