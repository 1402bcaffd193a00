// Snapshots of window surfaces as PNG files, read back with libpng.
#include "platform/headless/headless.h"
#include "platform/surface.h"
#include "platform/winapi.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Picture {
    bool read = false;
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    COLORREF At(int x, int y) const {
        const unsigned char* p = rgb.data() + ((size_t)y * width + x) * 3;
        return RGB(p[0], p[1], p[2]);
    }
};

Picture ReadPng(const std::string& path) {
    Picture picture;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return picture;
    bool rgb = (image.format & PNG_FORMAT_FLAG_COLOR) && !(image.format & PNG_FORMAT_FLAG_ALPHA);
    image.format = PNG_FORMAT_RGB;
    picture.width = (int)image.width;
    picture.height = (int)image.height;
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    picture.read = rgb && png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr);
    png_image_free(&image);
    return picture;
}

bool Exists(const std::string& path) {
    if (FILE* file = fopen(path.c_str(), "rb")) {
        fclose(file);
        return true;
    }
    return false;
}

LRESULT CALLBACK RedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, (HBRUSH)GetStockObject(BLACK_BRUSH));
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class PngTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessReset();
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
        wc.lpszClassName = "Snap";
        ASSERT_NE(RegisterClassExA(&wc), 0);
        wc.lpfnWndProc = RedProc;
        wc.hbrBackground = nullptr;
        wc.lpszClassName = "Dark";
        ASSERT_NE(RegisterClassExA(&wc), 0);
        // Tests run in parallel processes: each writes its own file.
        path = ::testing::TempDir() + "quorvin_snap_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
               std::to_string(getpid()) + ".png";
        std::remove(path.c_str());
    }
    void TearDown() override {
        std::remove(path.c_str());
        HeadlessReset();
    }
    std::string path;
};

TEST_F(PngTest, ASnapshotHoldsTheWindowsSizeAndColoursAfterAPaintPass) {
    HWND top = CreateWindowExA(0, "Snap", "", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, nullptr, nullptr,
                               nullptr, nullptr);
    HWND child = CreateWindowExA(0, "Dark", "", WS_CHILD | WS_VISIBLE, 5, 6, 10, 8, top, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    // Nothing pumped: the snapshot paints what is pending first. The caret is in it.
    ASSERT_TRUE(CreateCaret(top, nullptr, 1, 4));
    SetCaretPos(30, 20);
    ShowCaret(top);
    ASSERT_TRUE(SnapWindowPng(top, path.c_str()));
    Picture picture = ReadPng(path);
    ASSERT_TRUE(picture.read);
    EXPECT_EQ(picture.width, 40);
    EXPECT_EQ(picture.height, 30);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(picture.At(0, 0), face);
    EXPECT_EQ(picture.At(39, 29), face);
    EXPECT_EQ(picture.At(5, 6), RGB(0, 0, 0));
    EXPECT_EQ(picture.At(14, 13), RGB(0, 0, 0));
    EXPECT_EQ(picture.At(15, 13), face);
    EXPECT_EQ(picture.At(30, 20), RGB(63, 63, 63)) << "the caret inverts the face colour";
    EXPECT_EQ(picture.At(30, 24), face);
}

TEST_F(PngTest, NoSnapshotWithoutAWindowOrAPlaceToWrite) {
    HWND top = CreateWindowExA(0, "Snap", "", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, nullptr, nullptr,
                               nullptr, nullptr);
    HWND child = CreateWindowExA(0, "Snap", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top, nullptr,
                                 nullptr, nullptr);
    HWND empty = CreateWindowExA(0, "Snap", "", WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, nullptr, nullptr,
                                 nullptr, nullptr);
    EXPECT_FALSE(SnapWindowPng(nullptr, path.c_str()));
    EXPECT_FALSE(SnapWindowPng(child, path.c_str())) << "a child has no surface of its own";
    EXPECT_FALSE(SnapWindowPng(empty, path.c_str())) << "no pixels to write";
    EXPECT_FALSE(Exists(path));
    std::string nowhere = ::testing::TempDir() + "no-such-folder-quorvin/snap.png";
    EXPECT_FALSE(SnapWindowPng(top, nowhere.c_str()));
    EXPECT_FALSE(SnapWindowPng(top, nullptr));
    DestroyWindow(top);
    EXPECT_FALSE(SnapWindowPng(top, path.c_str()));
    EXPECT_FALSE(Exists(path));
}

} // namespace
