// The program's icon: the RT_GROUP_ICON directory and its one 32 x 32, 16-colour image.
#include "platform/winapi.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

uint32_t Little(const uint8_t* p, int size) {
    uint32_t value = 0;
    for (int k = size - 1; k >= 0; --k)
        value = (value << 8) | p[k];
    return value;
}

std::vector<uint8_t> Resource(LPCSTR name, LPCSTR type) {
    HMODULE module = GetModuleHandleA(NULL);
    HRSRC found = FindResourceA(module, name, type);
    if (found == NULL)
        return {};
    const uint8_t* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
    return std::vector<uint8_t>(data, data + SizeofResource(module, found));
}

class IconTest : public ::testing::Test {
  protected:
    void SetUp() override {
        group = Resource(MAKEINTRESOURCEA(IDI_MAIN), RT_GROUP_ICON);
        ASSERT_EQ(group.size(), 6u + 14u) << "a directory with one 14-byte entry";
        image = Resource(MAKEINTRESOURCEA(Little(&group[6 + 12], 2)), RT_ICON);
        ASSERT_EQ(image.size(), 744u);
    }

    // Colour index and transparency of the pixel in row (0 = top) and column.
    int Index(int row, int column) const {
        const uint8_t* colours = &image[40 + 64];
        uint8_t pair = colours[(31 - row) * 16 + column / 2];
        return column % 2 == 0 ? pair >> 4 : pair & 0x0F;
    }
    bool Transparent(int row, int column) const {
        const uint8_t* mask = &image[40 + 64 + 512];
        return (mask[(31 - row) * 4 + column / 8] >> (7 - column % 8)) & 1;
    }
    uint32_t Colour(int index) const {
        const uint8_t* quad = &image[40 + 4 * index];
        return uint32_t(quad[2]) << 16 | uint32_t(quad[1]) << 8 | quad[0];
    }

    std::vector<uint8_t> group, image;
};

// The suites carry "res" so that ctest -R res selects them.
using resIcon = IconTest;

TEST_F(resIcon, GroupDirectoryNamesOne32By32SixteenColourImage) {
    const uint8_t* entry = &group[6];
    EXPECT_EQ(Little(&group[0], 2), 0u);
    EXPECT_EQ(Little(&group[2], 2), 1u) << "icons, not cursors";
    EXPECT_EQ(Little(&group[4], 2), 1u);
    EXPECT_EQ(entry[0], 32);
    EXPECT_EQ(entry[1], 32);
    EXPECT_EQ(entry[2], 16);
    EXPECT_EQ(entry[3], 0);
    EXPECT_EQ(Little(entry + 4, 2), 1u);
    EXPECT_EQ(Little(entry + 6, 2), 4u);
    EXPECT_EQ(Little(entry + 8, 4), 744u);
}

TEST_F(resIcon, ImageHeaderAndStandardPalette) {
    EXPECT_EQ(Little(&image[0], 4), 40u);
    EXPECT_EQ(Little(&image[4], 4), 32u);
    EXPECT_EQ(Little(&image[8], 4), 64u) << "the height counts both masks";
    EXPECT_EQ(Little(&image[12], 2), 1u);
    EXPECT_EQ(Little(&image[14], 2), 4u);
    EXPECT_EQ(Little(&image[16], 4), 0u) << "uncompressed";
    const uint32_t standard[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                   0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                   0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (int k = 0; k < 16; ++k) {
        uint32_t want = standard[k];
        if ((k == 7 || k == 8) && Colour(7) == 0x808080) // the order some tables use
            want = standard[15 - k];
        EXPECT_EQ(Colour(k), want) << "entry " << k;
        EXPECT_EQ(image[40 + 4 * k + 3], 0) << "entry " << k;
    }
}

TEST_F(resIcon, PictureIsRedAndBlueInkOnATransparentGround) {
    int red[2] = {}, blue[2] = {}; // per half: upper, lower
    for (int row = 0; row < 32; ++row) {
        for (int column = 0; column < 32; ++column) {
            SCOPED_TRACE("row " + std::to_string(row) + " column " + std::to_string(column));
            int index = Index(row, column);
            if (Transparent(row, column)) {
                // Black under a set mask bit leaves the background as it is.
                EXPECT_EQ(Colour(index), 0x000000u);
                continue;
            }
            uint32_t colour = Colour(index);
            ASSERT_TRUE(colour == 0xFF0000 || colour == 0x0000FF) << std::hex << colour;
            if (colour == 0xFF0000)
                red[row / 16]++;
            else
                blue[row / 16]++;
        }
    }
    EXPECT_GT(red[0], 0) << "the coil form and the wire";
    EXPECT_GT(blue[0], 0) << "the winding";
    EXPECT_GT(red[1], 0) << "the antenna";
}

TEST_F(resIcon, ImageIsTheImageOfTheIconFile) {
    std::ifstream in(std::string(QUORVIN_SOURCE_DIR) + "/res/trap.ico", std::ios::binary);
    ASSERT_TRUE(in);
    std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    ASSERT_EQ(file.size(), 6u + 16u + 744u);
    EXPECT_EQ(Little(&file[6 + 12], 4), 22u);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), file.begin() + 22));
}

} // namespace
