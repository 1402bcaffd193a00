// Text on window surfaces: glyph ink where the text's extent says, in the DC's colours,
// bold, Cyrillic in Windows-1251 and in UTF-8, opaque and clipped output, and DrawTextA's
// layout. Ink is checked by where it lies and how much there is, never pixel for pixel
// against a picture, which would break with every font version.
#include "platform/headless/headless.h"
#include "platform/surface.h"
#include "platform/winapi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 160;
const COLORREF kWhite = RGB(255, 255, 255);

// "Частота" in the code page and in UTF-8.
const std::string kFrequency1251 = "\xD7\xE0\xF1\xF2\xEE\xF2\xE0";
const std::string kFrequencyUtf8 = "\xD0\xA7\xD0\xB0\xD1\x81\xD1\x82\xD0\xBE\xD1\x82\xD0\xB0";

struct Ink {
    long amount = 0; // the sum of the darkness (255 - red) of the pixels
    int pixels = 0;  // how many pixels are not white
    RECT box{0, 0, 0, 0};
};

class DrawTextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessReset();
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        wc.lpszClassName = "TextCanvas";
        ASSERT_NE(RegisterClassExA(&wc), 0);
        top = CreateWindowExA(0, "TextCanvas", "", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight,
                              nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(top, nullptr);
        HeadlessPump();
        dc = GetDC(top);
        SetBkMode(dc, TRANSPARENT);
        UseFont(-16);
    }
    void TearDown() override {
        ReleaseDC(top, dc);
        for (HFONT font : fonts)
            DeleteObject(font);
        HeadlessReset();
    }

    void UseFont(LONG height, LONG weight = FW_NORMAL, BYTE underline = 0) {
        LOGFONTA log{};
        log.lfHeight = height;
        log.lfWeight = weight;
        log.lfUnderline = underline;
        log.lfCharSet = RUSSIAN_CHARSET;
        strcpy(log.lfFaceName, "Arial");
        HFONT font = CreateFontIndirectA(&log);
        ASSERT_NE(font, nullptr);
        fonts.push_back(font);
        SelectObject(dc, font);
        GetTextMetricsA(dc, &metrics);
    }
    void Clear() {
        RECT all{0, 0, kWidth, kHeight};
        FillRect(dc, &all, (HBRUSH)(COLOR_WINDOW + 1));
    }
    COLORREF At(int x, int y) const {
        const Surface* surface = WindowSurface(top);
        uint32_t p = surface->pixels[(size_t)y * surface->width + x];
        return RGB(p >> 16, (p >> 8) & 0xFF, p & 0xFF);
    }
    Ink InkIn(const RECT& r) const {
        Ink ink;
        ink.box = RECT{r.right, r.bottom, r.left, r.top};
        for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, kHeight); ++y)
            for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, kWidth); ++x) {
                COLORREF c = At(x, y);
                if (c == kWhite)
                    continue;
                ink.amount += 255 - GetRValue(c);
                ++ink.pixels;
                ink.box.left = std::min<LONG>(ink.box.left, x);
                ink.box.top = std::min<LONG>(ink.box.top, y);
                ink.box.right = std::max<LONG>(ink.box.right, x + 1);
                ink.box.bottom = std::max<LONG>(ink.box.bottom, y + 1);
            }
        return ink;
    }
    Ink AllInk() const { return InkIn(RECT{0, 0, kWidth, kHeight}); }
    SIZE Extent(const std::string& text) const {
        SIZE size{0, 0};
        GetTextExtentPoint32A(dc, text.data(), (int)text.size(), &size);
        return size;
    }

    HWND top = nullptr;
    HDC dc = nullptr;
    std::vector<HFONT> fonts;
    TEXTMETRICA metrics{};
};

TEST_F(DrawTextTest, TextOutInksOnlyWithinTheTextsExtent) {
    for (const std::string& text : {kFrequency1251, kFrequencyUtf8, std::string("Wavy 42")}) {
        Clear();
        SIZE size = Extent(text);
        ASSERT_GT(size.cx, 0);
        EXPECT_EQ(size.cy, metrics.tmHeight);
        EXPECT_TRUE(TextOutA(dc, 20, 30, text.data(), (int)text.size()));
        Ink ink = AllInk();
        EXPECT_GT(ink.pixels, 40) << text;
        EXPECT_GE(ink.box.left, 20) << text;
        EXPECT_LE(ink.box.right, 20 + size.cx) << text;
        EXPECT_GE(ink.box.top, 30) << text;
        EXPECT_LE(ink.box.bottom, 30 + size.cy) << text;
        // The ink spans most of the extent: every letter is drawn.
        EXPECT_GT(ink.box.right - ink.box.left, size.cx * 3 / 4) << text;
        // Black on white: the darkest pixels are fully black, edges are grey.
        EXPECT_EQ(InkIn(ink.box).pixels, ink.pixels);
    }
}

TEST_F(DrawTextTest, CyrillicInUtf8AndInTheCodePageLookTheSame) {
    EXPECT_EQ(Extent(kFrequency1251).cx, Extent(kFrequencyUtf8).cx);
    TextOutA(dc, 10, 10, kFrequency1251.data(), (int)kFrequency1251.size());
    TextOutA(dc, 10, 80, kFrequencyUtf8.data(), (int)kFrequencyUtf8.size());
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < kWidth; ++x)
            ASSERT_EQ(At(x, 10 + y), At(x, 80 + y)) << x << "," << y;
    EXPECT_GT(InkIn(RECT{0, 0, kWidth, 60}).pixels, 40);
    // A text that is not valid UTF-8 is taken byte for byte in the code page.
    std::string mixed = kFrequency1251 + "\xD0";
    EXPECT_GT(Extent(mixed).cx, Extent(kFrequency1251).cx);
}

TEST_F(DrawTextTest, BoldHasMoreInkThanRegular) {
    const std::string text = "Frequency 14.1";
    TextOutA(dc, 10, 10, text.data(), (int)text.size());
    long regular = AllInk().amount;
    Clear();
    UseFont(-16, FW_BOLD);
    TextOutA(dc, 10, 10, text.data(), (int)text.size());
    long bold = AllInk().amount;
    EXPECT_GT(bold, regular * 11 / 10);
}

TEST_F(DrawTextTest, InkBlendsTheTextColourIntoTheBackground) {
    SetTextColor(dc, RGB(255, 0, 0));
    TextOutA(dc, 10, 10, "Coax", 4);
    int red = 0, blended = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x) {
            COLORREF c = At(x, y);
            if (c == kWhite)
                continue;
            // Between white and red: full red, green and blue falling together.
            ASSERT_EQ(GetRValue(c), 255) << x << "," << y;
            ASSERT_EQ(GetGValue(c), GetBValue(c)) << x << "," << y;
            (GetGValue(c) == 0 ? red : blended)++;
        }
    EXPECT_GT(red, 10);
    EXPECT_GT(blended, 10) << "anti-aliased edges";
}

TEST_F(DrawTextTest, OpaqueBackgroundsAndClipping) {
    const COLORREF yellow = RGB(255, 255, 100);
    SetBkColor(dc, yellow);
    SIZE size = Extent("Coax");

    // OPAQUE mode fills the text's cell.
    SetBkMode(dc, OPAQUE);
    TextOutA(dc, 10, 10, "Coax", 4);
    EXPECT_EQ(At(10, 10), yellow);
    EXPECT_EQ(At(10 + size.cx - 1, 10 + size.cy - 1), yellow);
    EXPECT_EQ(At(10 + size.cx, 10), kWhite);
    EXPECT_EQ(At(10, 10 + size.cy), kWhite);

    // ETO_OPAQUE fills its rectangle whatever the mode; ETO_CLIPPED keeps the text inside.
    Clear();
    SetBkMode(dc, TRANSPARENT);
    RECT box{100, 20, 118, 60};
    EXPECT_TRUE(ExtTextOutA(dc, 95, 30, ETO_OPAQUE | ETO_CLIPPED, &box, "WWWW", 4, nullptr));
    EXPECT_EQ(At(100, 20), yellow);
    EXPECT_EQ(At(117, 59), yellow);
    EXPECT_EQ(At(99, 40), kWhite) << "the text is clipped at the left";
    EXPECT_EQ(At(118, 40), kWhite) << "and at the right";
    EXPECT_EQ(InkIn(box).pixels, (box.right - box.left) * (box.bottom - box.top));
    int dark = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            dark += GetRValue(At(x, y)) < 128;
    EXPECT_GT(dark, 20) << "text drawn over the opaque box";
    EXPECT_EQ(InkIn(RECT{0, 0, 100, kHeight}).pixels, 0);
    EXPECT_EQ(InkIn(RECT{118, 0, kWidth, kHeight}).pixels, 0);

    // Only ETO_OPAQUE and no text: a coloured rectangle.
    Clear();
    RECT bar{5, 5, 15, 8};
    EXPECT_TRUE(ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &bar, nullptr, 0, nullptr));
    EXPECT_EQ(AllInk().pixels, 30);
    EXPECT_FALSE(ExtTextOutA(dc, 0, 0, 0, nullptr, nullptr, 3, nullptr));
}

TEST_F(DrawTextTest, CharacterSpacingFromTheCaller) {
    const INT dx[] = {30, 30, 30};
    EXPECT_TRUE(ExtTextOutA(dc, 10, 10, 0, nullptr, "iii", 3, dx));
    Ink ink = AllInk();
    EXPECT_GT(ink.box.right - ink.box.left, 60);
    // Three thin strokes 30 pixels apart: columns between them stay white.
    EXPECT_EQ(InkIn(RECT{ink.box.left + 8, 0, ink.box.left + 25, kHeight}).pixels, 0);
}

TEST_F(DrawTextTest, UnderlinedFontDrawsALineUnderTheText) {
    UseFont(-16, FW_NORMAL, 1);
    SIZE size = Extent("ac");
    TextOutA(dc, 10, 10, "ac", 2);
    // Below the baseline, where neither letter reaches, the underline runs across.
    RECT below{10, 10 + metrics.tmAscent + 1, 10 + size.cx, 10 + metrics.tmHeight};
    Ink ink = InkIn(below);
    EXPECT_GE(ink.box.right - ink.box.left, size.cx - 1);
}

TEST_F(DrawTextTest, DrawTextAlignsLeftCentreAndRight) {
    RECT r{20, 20, 300, 60};
    auto inkOf = [&](UINT format) {
        Clear();
        RECT copy = r;
        EXPECT_EQ(DrawTextA(dc, "Trap", -1, &copy, format | DT_SINGLELINE), metrics.tmHeight);
        return AllInk();
    };
    Ink left = inkOf(DT_LEFT), centre = inkOf(DT_CENTER), right = inkOf(DT_RIGHT);
    SIZE size = Extent("Trap");
    EXPECT_GE(left.box.left, 20);
    EXPECT_LT(left.box.left, 24);
    EXPECT_LE(right.box.right, 300);
    EXPECT_GT(right.box.right, 296);
    EXPECT_GT(right.box.left, left.box.right) << "right-aligned ink lies right of left-aligned";
    int middle = (centre.box.left + centre.box.right) / 2;
    EXPECT_LE(std::abs(middle - 160), 3);
    EXPECT_EQ(left.amount, right.amount);
    EXPECT_LE(left.box.right - 20, size.cx);
}

TEST_F(DrawTextTest, DrawTextPlacesASingleLineVertically) {
    RECT r{20, 20, 300, 120};
    struct Case {
        UINT format;
        int cellTop;
    };
    const Case cases[] = {
        {DT_TOP, 20},
        {DT_VCENTER, 20 + (100 - (int)metrics.tmHeight) / 2},
        {DT_BOTTOM, 120 - (int)metrics.tmHeight},
    };
    for (const Case& c : cases) {
        Clear();
        RECT copy = r;
        int height = DrawTextA(dc, "Hx", 2, &copy, c.format | DT_SINGLELINE);
        EXPECT_EQ(height, c.cellTop - 20 + metrics.tmHeight) << c.format;
        Ink ink = AllInk();
        EXPECT_GE(ink.box.top, c.cellTop) << c.format;
        EXPECT_LE(ink.box.bottom, c.cellTop + metrics.tmHeight) << c.format;
        // "H" reaches from the cap height down to the baseline.
        EXPECT_GE(ink.box.bottom, c.cellTop + metrics.tmAscent - 1) << c.format;
    }
}

TEST_F(DrawTextTest, DrawTextBreaksWordsAndLines) {
    const char* text = "one two three four";
    LONG widest = std::max(Extent("one two").cx, Extent("three four").cx);
    // Room for "one two" and for "three four", not for "one two three".
    RECT narrow{10, 10, 10 + widest + 2, 150};
    ASSERT_GT(Extent("one two three").cx, widest + 2);
    RECT calc = narrow;
    int height = DrawTextA(dc, text, -1, &calc, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(height, 2 * metrics.tmHeight) << "\"one two\" and \"three four\"";
    EXPECT_EQ(calc.bottom, 10 + 2 * metrics.tmHeight);
    EXPECT_EQ(calc.right, 10 + widest) << "as wide as the widest line";
    calc = narrow;
    EXPECT_EQ(DrawTextA(dc, text, -1, &calc, DT_CALCRECT), metrics.tmHeight);
    EXPECT_EQ(calc.right, 10 + Extent(text).cx) << "without breaking: one line, its width";

    EXPECT_EQ(DrawTextA(dc, text, -1, &narrow, DT_WORDBREAK), 2 * metrics.tmHeight);
    Ink ink = AllInk();
    EXPECT_GT(ink.box.bottom, 10 + metrics.tmHeight) << "a second line is drawn";
    EXPECT_LE(ink.box.right, narrow.right);

    // Line ends break lines; a single line does not.
    calc = RECT{10, 10, 300, 150};
    EXPECT_EQ(DrawTextA(dc, "a\r\nb\nc", -1, &calc, DT_CALCRECT), 3 * metrics.tmHeight);
    calc = RECT{10, 10, 300, 150};
    EXPECT_EQ(DrawTextA(dc, "a\r\nb\nc", -1, &calc, DT_CALCRECT | DT_SINGLELINE), metrics.tmHeight);
    calc = RECT{10, 10, 300, 150};
    EXPECT_EQ(DrawTextA(dc, "", -1, &calc, DT_CALCRECT), 0);
    EXPECT_EQ(calc.right, 10);
}

TEST_F(DrawTextTest, DrawTextPrefixesTabsAndClipping) {
    RECT calc{0, 0, 300, 100};
    DrawTextA(dc, "a&&b", -1, &calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(calc.right, Extent("a&b").cx) << "&& shows one &";
    calc = RECT{0, 0, 300, 100};
    DrawTextA(dc, "&ab", -1, &calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(calc.right, Extent("ab").cx);
    calc = RECT{0, 0, 300, 100};
    DrawTextA(dc, "&ab", -1, &calc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(calc.right, Extent("&ab").cx);
    calc = RECT{0, 0, 300, 100};
    DrawTextA(dc, "a\tb", -1, &calc, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_EQ(calc.right, 8 * metrics.tmAveCharWidth + Extent("b").cx);

    // The prefixed letter is underlined: ink under the baseline below it, none otherwise.
    RECT r{10, 10, 300, 60};
    RECT belowA{10, 10 + metrics.tmAscent + 1, 10 + Extent("a").cx, 10 + metrics.tmHeight};
    DrawTextA(dc, "ac", -1, &r, DT_SINGLELINE);
    EXPECT_EQ(InkIn(belowA).pixels, 0);
    Clear();
    DrawTextA(dc, "&ac", -1, &r, DT_SINGLELINE);
    EXPECT_GT(InkIn(belowA).pixels, 2);

    // Clipped to the rectangle unless DT_NOCLIP.
    Clear();
    RECT tiny{10, 10, 14, 14};
    DrawTextA(dc, "WWW", -1, &tiny, DT_SINGLELINE);
    EXPECT_EQ(InkIn(RECT{14, 0, kWidth, kHeight}).pixels, 0);
    EXPECT_EQ(InkIn(RECT{0, 14, kWidth, kHeight}).pixels, 0);
    DrawTextA(dc, "WWW", -1, &tiny, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkIn(RECT{14, 0, kWidth, kHeight}).pixels, 20);
    EXPECT_EQ(DrawTextA(dc, nullptr, 3, &tiny, 0), 0);
    EXPECT_EQ(DrawTextA(dc, "a", 1, nullptr, 0), 0);
}

TEST_F(DrawTextTest, EndEllipsisShortensWhatDoesNotFit) {
    RECT r{10, 10, 10 + Extent("Coaxial").cx, 40};
    DrawTextA(dc, "Coaxial cable trap", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(AllInk().box.right, r.right);
    Clear();
    RECT room{10, 10, 300, 40};
    DrawTextA(dc, "Coaxial", -1, &room, DT_SINGLELINE | DT_END_ELLIPSIS);
    Ink whole = AllInk();
    EXPECT_GE(whole.box.right, 10 + Extent("Coaxial").cx - 2) << "what fits is left alone";
}

} // namespace
