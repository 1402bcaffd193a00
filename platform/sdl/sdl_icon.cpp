// Icons from the program's resources, made into pictures for the desktop.
#include "platform/sdl/sdl_icon.h"

#include "platform/window_internal.h"

#include <SDL.h>

#include <cstring>

namespace {

uint32_t Read32(const BYTE* p) {
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

uint16_t Read16(const BYTE* p) {
    return (uint16_t)(p[0] | p[1] << 8);
}

size_t RowBytes(int width, int bitsPerPixel) {
    return ((size_t)width * (size_t)bitsPerPixel + 31) / 32 * 4;
}

} // namespace

bool DecodeIconImage(const std::vector<BYTE>& image, int width, int height,
                     std::vector<uint32_t>& pixels) {
    constexpr size_t HeaderSize = 40;
    if (width <= 0 || height <= 0 || width > 1024 || height > 1024 || image.size() < HeaderSize)
        return false;
    const BYTE* data = image.data();
    size_t headerSize = Read32(data);
    int32_t imageWidth = (int32_t)Read32(data + 4);
    int32_t imageHeight = (int32_t)Read32(data + 8);
    int bits = Read16(data + 14);
    uint32_t compression = Read32(data + 16);
    uint32_t colorsUsed = Read32(data + 32);
    if (headerSize < HeaderSize || headerSize > image.size() || imageWidth != width ||
        imageHeight != 2 * height || compression != 0)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return false;
    size_t paletteSize = 0;
    if (bits <= 8) {
        paletteSize = colorsUsed != 0 ? colorsUsed : 1u << bits;
        if (paletteSize > (1u << bits))
            return false;
    }
    size_t colorRow = RowBytes(width, bits), maskRow = RowBytes(width, 1);
    size_t palette = headerSize, colors = palette + paletteSize * 4;
    size_t mask = colors + colorRow * (size_t)height;
    if (mask + maskRow * (size_t)height > image.size())
        return false;

    pixels.assign((size_t)width * (size_t)height, 0);
    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom-up.
        const BYTE* colorBits = data + colors + colorRow * (size_t)(height - 1 - y);
        const BYTE* maskBits = data + mask + maskRow * (size_t)(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            uint32_t rgb;
            if (bits <= 8) {
                int perByte = 8 / bits;
                int shift = 8 - bits * (x % perByte + 1);
                size_t index = (colorBits[x / perByte] >> shift) & ((1u << bits) - 1);
                if (index >= paletteSize)
                    return false;
                const BYTE* entry = data + palette + index * 4; // blue, green, red, 0
                rgb = (uint32_t)entry[2] << 16 | (uint32_t)entry[1] << 8 | entry[0];
            } else {
                const BYTE* p = colorBits + (size_t)x * (bits / 8);
                rgb = (uint32_t)p[2] << 16 | (uint32_t)p[1] << 8 | p[0];
            }
            bool transparent = (maskBits[x / 8] >> (7 - x % 8)) & 1;
            pixels[(size_t)y * width + x] = transparent ? 0 : 0xFF000000u | rgb;
        }
    }
    return true;
}

SDL_Surface* ClassIconSurface(HWND window) {
    HICON icon = (HICON)GetClassLongA(window, GCL_HICON);
    int width = 0, height = 0;
    std::vector<BYTE> image;
    std::vector<uint32_t> pixels;
    if (icon == nullptr || !GetIconImage(icon, &width, &height, &image) ||
        !DecodeIconImage(image, width, height, pixels))
        return nullptr;
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr)
        return nullptr;
    for (int y = 0; y < height; ++y)
        memcpy((BYTE*)surface->pixels + (size_t)y * surface->pitch, &pixels[(size_t)y * width],
               (size_t)width * 4);
    return surface;
}
