// quorvin-icongen: draws a 32 x 32, 16-colour icon file from a pixel map.
//
//   quorvin-icongen MAP OUT.ico
//
// The map is 32 lines of 32 characters, top row first: '.' is transparent, 'R' pure red,
// 'B' pure blue. The icon holds one image: a 40-byte bitmap header, the standard 16-colour
// palette, the 4-bit colour mask and the 1-bit transparency mask, rows bottom-up.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 32;
constexpr int kColourRow = kSize / 2; // bytes per row of the colour mask, 4 bits a pixel
constexpr int kMaskRow = kSize / 8;   // bytes per row of the transparency mask, 1 bit a pixel
constexpr uint32_t kImageBytes = 40 + 16 * 4 + kColourRow * kSize + kMaskRow * kSize;

// The standard 16-colour palette as 0xRRGGBB.
constexpr uint32_t kPalette[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};
constexpr int kRed = 9, kBlue = 12;
constexpr int kTransparent = -1;

void Word(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void Dword(std::vector<uint8_t>& out, uint32_t value) {
    Word(out, value & 0xFFFF);
    Word(out, value >> 16);
}

// Reads the map into palette indices (kTransparent for '.'); false with a message on a
// fault.
bool ReadMap(const std::string& path, int pixels[kSize][kSize]) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << path << ": cannot open the map\n";
        return false;
    }
    std::string line;
    int row = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (row == kSize) {
            std::cerr << path << ":" << row + 1 << ": the map has more than " << kSize
                      << " lines\n";
            return false;
        }
        if (line.size() != kSize) {
            std::cerr << path << ":" << row + 1 << ": a line must have " << kSize
                      << " characters, this one has " << line.size() << "\n";
            return false;
        }
        for (int column = 0; column < kSize; ++column) {
            char c = line[column];
            if (c == '.') {
                pixels[row][column] = kTransparent;
            } else if (c == 'R') {
                pixels[row][column] = kRed;
            } else if (c == 'B') {
                pixels[row][column] = kBlue;
            } else {
                std::cerr << path << ":" << row + 1 << ": unknown pixel '" << c << "' in column "
                          << column + 1 << " (use '.', 'R' or 'B')\n";
                return false;
            }
        }
        ++row;
    }
    if (row != kSize) {
        std::cerr << path << ":" << row + 1 << ": the map has " << row << " lines, not " << kSize
                  << "\n";
        return false;
    }
    return true;
}

std::vector<uint8_t> IconFile(const int pixels[kSize][kSize]) {
    std::vector<uint8_t> out;
    // Icon directory with one entry.
    Word(out, 0);
    Word(out, 1);
    Word(out, 1);
    out.push_back(kSize);
    out.push_back(kSize);
    out.push_back(16); // colours
    out.push_back(0);
    Word(out, 1); // planes
    Word(out, 4); // bits per pixel
    Dword(out, kImageBytes);
    Dword(out, 6 + 16);
    // BITMAPINFOHEADER: the height counts both masks.
    Dword(out, 40);
    Dword(out, kSize);
    Dword(out, 2 * kSize);
    Word(out, 1);
    Word(out, 4);
    Dword(out, 0); // BI_RGB
    Dword(out, (kColourRow + kMaskRow) * kSize);
    Dword(out, 0);
    Dword(out, 0);
    Dword(out, 0);
    Dword(out, 0);
    for (uint32_t rgb : kPalette) {
        out.push_back(uint8_t(rgb));
        out.push_back(uint8_t(rgb >> 8));
        out.push_back(uint8_t(rgb >> 16));
        out.push_back(0);
    }
    // Transparent pixels are black in the colour mask and set in the transparency mask.
    for (int row = kSize - 1; row >= 0; --row) {
        for (int column = 0; column < kSize; column += 2) {
            int left = pixels[row][column], right = pixels[row][column + 1];
            out.push_back(uint8_t(((left < 0 ? 0 : left) << 4) | (right < 0 ? 0 : right)));
        }
    }
    for (int row = kSize - 1; row >= 0; --row) {
        for (int byte = 0; byte < kMaskRow; ++byte) {
            uint8_t bits = 0;
            for (int bit = 0; bit < 8; ++bit)
                if (pixels[row][byte * 8 + bit] == kTransparent)
                    bits |= uint8_t(0x80 >> bit);
            out.push_back(bits);
        }
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: quorvin-icongen MAP OUT.ico\n";
        return 2;
    }
    static int pixels[kSize][kSize];
    if (!ReadMap(argv[1], pixels))
        return 1;
    std::vector<uint8_t> icon = IconFile(pixels);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(icon.data()), std::streamsize(icon.size()));
    out.close();
    if (!out) {
        std::cerr << argv[2] << ": cannot write the icon\n";
        return 1;
    }
    return 0;
}
