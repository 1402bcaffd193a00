// Snapshots: a top-level window's surface written as a PNG file with libpng.
#include "platform/surface.h"

#include <png.h>

#include <cstdio>
#include <vector>

bool SnapWindowPng(HWND topLevel, const char* path) {
    if (!path || !WindowSurface(topLevel))
        return false;
    PaintPendingWindows();
    const Surface* surface = WindowSurface(topLevel);
    if (!surface || surface->width <= 0 || surface->height <= 0)
        return false;
    std::vector<png_byte> rgb((size_t)surface->width * surface->height * 3);
    for (size_t i = 0; i < surface->pixels.size(); ++i) {
        uint32_t pixel = surface->pixels[i];
        rgb[3 * i] = (png_byte)(pixel >> 16);
        rgb[3 * i + 1] = (png_byte)(pixel >> 8);
        rgb[3 * i + 2] = (png_byte)pixel;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = (png_uint_32)surface->width;
    image.height = (png_uint_32)surface->height;
    image.format = PNG_FORMAT_RGB;
    FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    bool written =
        png_image_write_to_stdio(&image, file, 0, rgb.data(), surface->width * 3, nullptr) != 0;
    png_image_free(&image);
    written = std::fclose(file) == 0 && written;
    if (!written)
        std::remove(path); // the file was made here: no half-written one is left behind
    return written;
}
