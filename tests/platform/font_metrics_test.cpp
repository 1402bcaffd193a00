// Font metrics and text extents from the real font files: sizes asked for by em or by
// cell, the dialog font's base units, the title font, Cyrillic text.
#include "platform/gdi_internal.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const GdiDevice kScreen96{96, 1024, 768, 271, 203};
const GdiDevice kScreen120{120, 1280, 1024, 271, 217};
const GdiDevice kScreen144{144, 1920, 1080, 339, 190};

// A DC at a resolution, with a font of its own selected while a test looks at it.
class FontMetricsTest : public ::testing::Test {
  protected:
    void SetUp() override { dc = GdiCreateDC(kScreen96, nullptr); }
    void TearDown() override {
        Deselect();
        GdiDeleteDC(dc);
    }

    void Use(const char* face, LONG height, LONG weight = 0, LONG width = 0, BYTE italic = 0,
             BYTE underline = 0) {
        LOGFONTA log{};
        log.lfHeight = height;
        log.lfWidth = width;
        log.lfWeight = weight;
        log.lfItalic = italic;
        log.lfUnderline = underline;
        strncpy(log.lfFaceName, face, LF_FACESIZE - 1);
        Use(log);
    }
    void Use(const LOGFONTA& log) {
        Deselect();
        font = CreateFontIndirectA(&log);
        ASSERT_NE(font, nullptr);
        previous = SelectObject(dc, font);
        ASSERT_NE(previous, nullptr);
    }
    void Deselect() {
        if (!font)
            return;
        SelectObject(dc, previous);
        EXPECT_TRUE(DeleteObject(font));
        font = nullptr;
    }
    TEXTMETRICA Metrics() {
        TEXTMETRICA metrics{};
        EXPECT_TRUE(GetTextMetricsA(dc, &metrics));
        return metrics;
    }
    LONG Width(const std::string& text) {
        SIZE size{-1, -1};
        EXPECT_TRUE(GetTextExtentPoint32A(dc, text.data(), (int)text.size(), &size));
        return size.cx;
    }

    HDC dc = nullptr;
    HFONT font = nullptr;
    HGDIOBJ previous = nullptr;
};

TEST_F(FontMetricsTest, NegativeHeightsSetTheEmAndPositiveOnesTheCell) {
    const char* faces[] = {"Arial", "ARIAL BOLD", "Times New Roman", "Courier New", "DejaVu Sans"};
    for (const char* face : faces) {
        for (LONG height : {-7, -8, -11, -13, -16, -27, -40, -72, 8, 12, 13, 16, 24, 31, 50}) {
            SCOPED_TRACE(testing::Message() << face << " " << height);
            Use(face, height);
            TEXTMETRICA tm = Metrics();
            EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
            EXPECT_GT(tm.tmAscent, tm.tmDescent);
            EXPECT_GT(tm.tmDescent, 0);
            EXPECT_GE(tm.tmInternalLeading, 0);
            if (height < 0)
                EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, -height);
            else
                EXPECT_EQ(tm.tmHeight, height);
            EXPECT_EQ(GdiFontOfDC(dc)->emPixels, tm.tmHeight - tm.tmInternalLeading);
        }
    }
    Use("Arial", 0); // the default size
    EXPECT_EQ(Metrics().tmHeight - Metrics().tmInternalLeading, 12);
}

TEST_F(FontMetricsTest, AscentAndDescentAreTheWindowsMetricsRoundedEachOnItsOwn) {
    // Liberation Sans: 2048 units per em, Windows ascent 1854, descent 434, line gap 67.
    // DejaVu Sans: ascent 1901, descent 483, no line gap.
    struct Case {
        const char* face;
        LONG height;
        LONG ascent, descent, externalLeading;
    };
    const Case cases[] = {
        {"Arial", -11, 10, 2, 0},       // 9.96 and 2.33
        {"Arial", -27, 24, 6, 1},       // 24.44 and 5.72; the gap 0.88
        {"Arial", -40, 36, 8, 1},       // 36.21 and 8.48
        {"DejaVu Sans", -11, 10, 3, 0}, // 10.21 and 2.59
        {"Arial", 16, 13, 3, 0},        // cell 16: 12.97 and 3.03
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.face << " " << c.height);
        Use(c.face, c.height);
        TEXTMETRICA tm = Metrics();
        EXPECT_EQ(tm.tmAscent, c.ascent);
        EXPECT_EQ(tm.tmDescent, c.descent);
        EXPECT_EQ(tm.tmExternalLeading, c.externalLeading);
    }
}

TEST_F(FontMetricsTest, DescribesTheFaceItUses) {
    struct Case {
        const char* face;
        LONG weight;
        BYTE italic;
        LONG tmWeight;
        BYTE tmItalic;
        BYTE pitchAndFamily;
    };
    const BYTE outline = TMPF_VECTOR | TMPF_TRUETYPE;
    const Case cases[] = {
        {"Arial", 0, 0, FW_NORMAL, 0, outline | TMPF_FIXED_PITCH | FF_SWISS},
        {"Arial", FW_BOLD, 1, FW_BOLD, 255, outline | TMPF_FIXED_PITCH | FF_SWISS},
        {"Times New Roman", 0, 0, FW_NORMAL, 0, outline | TMPF_FIXED_PITCH | FF_ROMAN},
        {"Courier New", 0, 0, FW_NORMAL, 0, outline | FF_MODERN}, // fixed pitch: bit clear
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.face);
        Use(c.face, -13, c.weight, 0, c.italic, 1);
        TEXTMETRICA tm = Metrics();
        EXPECT_EQ(tm.tmWeight, c.tmWeight);
        EXPECT_EQ(tm.tmItalic, c.tmItalic);
        EXPECT_EQ(tm.tmUnderlined, 255);
        EXPECT_EQ(tm.tmStruckOut, 0);
        EXPECT_EQ(tm.tmPitchAndFamily, c.pitchAndFamily);
        EXPECT_EQ(tm.tmCharSet, RUSSIAN_CHARSET);
        EXPECT_EQ(tm.tmDigitizedAspectY, 96);
        EXPECT_LE(tm.tmFirstChar, ' ');
        EXPECT_EQ(tm.tmLastChar, 0xFF);
        EXPECT_EQ(tm.tmBreakChar, ' ');
        EXPECT_GT(tm.tmAveCharWidth, 0);
        EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    }
    // A fixed-pitch face: every character as wide as the average and the widest.
    Use("Courier New", -13);
    TEXTMETRICA tm = Metrics();
    EXPECT_EQ(Width("i"), tm.tmAveCharWidth);
    EXPECT_EQ(Width("W"), tm.tmMaxCharWidth);
}

// Dialog base units as the dialog manager derives them from its font.
void BaseUnits(HDC dc, int* x, int* y) {
    SIZE size{};
    GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &size);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    *x = (size.cx / 26 + 1) / 2;
    *y = tm.tmHeight;
}

TEST(FontMetrics, DialogFontBaseUnits) {
    // "MS Sans Serif" 8 pt through its stand-in, which keeps the bitmap face's cell: an
    // ascent of one em and a descent of two elevenths, 13 pixels at 96 dpi.
    struct Case {
        GdiDevice device;
        int x, y;
    };
    const Case cases[] = {{kScreen96, 6, 13}, {kScreen120, 8, 15}, {kScreen144, 9, 19}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.device.dpi);
        HDC dc = GdiCreateDC(c.device, nullptr);
        LOGFONTA log{};
        log.lfHeight = -MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72);
        strcpy(log.lfFaceName, "MS Sans Serif");
        HFONT font = CreateFontIndirectA(&log);
        HGDIOBJ previous = SelectObject(dc, font);
        int x = 0, y = 0;
        BaseUnits(dc, &x, &y);
        EXPECT_EQ(x, c.x);
        EXPECT_EQ(y, c.y);
        SelectObject(dc, previous);
        EXPECT_TRUE(DeleteObject(font));
        GdiDeleteDC(dc);
    }
}

// The title font as the program makes it: 20 points at the device's logical resolution,
// through a saved and restored DC state.
HFONT TitleFont(HDC dc, LONG* height) {
    SaveDC(dc);
    SetGraphicsMode(dc, GM_ADVANCED);
    ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    const float k = 0.013888889f;
    POINT size{0, (LONG)(200 * GetDeviceCaps(dc, LOGPIXELSY) * k)};
    DPtoLP(dc, &size, 1);
    LOGFONTA log{};
    log.lfHeight = -(LONG)(std::abs(size.y) * 0.1 + 0.5);
    strcpy(log.lfFaceName, "ARIAL BOLD");
    HFONT font = CreateFontIndirectA(&log);
    RestoreDC(dc, -1);
    *height = log.lfHeight;
    return font;
}

TEST(FontMetrics, TitleFontIsBoldWithSaneMetrics) {
    struct Case {
        GdiDevice device;
        LONG lfHeight;
        LONG tmHeight;
    };
    const Case cases[] = {{kScreen96, -27, 30}, {kScreen120, -33, 37}, {kScreen144, -40, 44}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.device.dpi);
        HDC dc = GdiCreateDC(c.device, nullptr);
        // A DC in some state of its own, which the title font must leave as it was.
        SetViewportOrgEx(dc, 5, 6, nullptr);
        SetWindowOrgEx(dc, -7, 8, nullptr);
        LONG height = 0;
        HFONT font = TitleFont(dc, &height);
        EXPECT_EQ(height, c.lfHeight);
        POINT origin{};
        GetViewportOrgEx(dc, &origin);
        EXPECT_EQ(origin.x, 5);
        GetWindowOrgEx(dc, &origin);
        EXPECT_EQ(origin.x, -7);
        EXPECT_EQ(GetGraphicsMode(dc), GM_COMPATIBLE);
        EXPECT_EQ(SaveDC(dc), 1);

        HGDIOBJ previous = SelectObject(dc, font);
        TEXTMETRICA tm{};
        ASSERT_TRUE(GetTextMetricsA(dc, &tm));
        EXPECT_EQ(tm.tmWeight, FW_BOLD);
        EXPECT_TRUE(GdiFontOfDC(dc)->faceBold);
        EXPECT_EQ(tm.tmHeight, c.tmHeight);
        EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, -c.lfHeight);
        SIZE title{};
        GetTextExtentPoint32A(dc, "Coaxial Trap Design", 19, &title);
        // Bold Arial runs at a little over half an em per character.
        EXPECT_GT(title.cx, 19 * -c.lfHeight / 2);
        EXPECT_LT(title.cx, 19 * -c.lfHeight);
        SelectObject(dc, previous);
        EXPECT_TRUE(DeleteObject(font));
        GdiDeleteDC(dc);
    }
}

TEST_F(FontMetricsTest, TextExtents) {
    Use("MS Sans Serif", -11);
    TEXTMETRICA tm = Metrics();
    SIZE size{-1, -1};
    EXPECT_TRUE(GetTextExtentPoint32A(dc, "", 0, &size));
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, tm.tmHeight);
    EXPECT_TRUE(GetTextExtentPoint32A(dc, nullptr, 0, &size));
    EXPECT_EQ(size.cx, 0);
    EXPECT_FALSE(GetTextExtentPoint32A(dc, nullptr, 1, &size));
    EXPECT_FALSE(GetTextExtentPoint32A(dc, "abc", -1, &size));
    EXPECT_FALSE(GetTextExtentPoint32A(dc, "abc", 3, nullptr));

    // Only the given length counts, and widths add up character by character.
    EXPECT_EQ(Width(std::string("abcdef", 3)), Width("abc"));
    EXPECT_EQ(Width("abc"), Width("a") + Width("b") + Width("c"));
    EXPECT_GT(Width("WWW"), Width("iii"));

    // "Частота:" in Windows-1251: measured with the face's own Cyrillic glyphs.
    const std::string frequency = "\xD7\xE0\xF1\xF2\xEE\xF2\xE0:";
    LONG sum = 0;
    for (char c : frequency) {
        LONG width = Width(std::string(1, c));
        EXPECT_GT(width, 0) << (int)(unsigned char)c;
        sum += width;
    }
    EXPECT_EQ(Width(frequency), sum);
    EXPECT_GT(Width(frequency + frequency), Width(frequency));
    EXPECT_GT(Width("\xD8"), Width("\xE3")); // Ш is wider than г
}

TEST_F(FontMetricsTest, CyrillicLettersHaveGlyphsOfTheirOwn) {
    for (const char* face : {"MS Sans Serif", "Times New Roman", "Courier New", "DejaVu Sans"}) {
        Use(face, -13);
        const FontInstance* instance = GdiFontOfDC(dc);
        ASSERT_NE(instance, nullptr);
        unsigned missing = FontGlyphIndex(*instance, 0x98); // the code page has no 0x98
        EXPECT_EQ(missing, 0u);
        for (int byte = 0xC0; byte <= 0xFF; ++byte)
            EXPECT_NE(FontGlyphIndex(*instance, (unsigned char)byte), 0u) << face << " " << byte;
        for (int byte : {0xA8, 0xB8, 0xB9, 0x88, 0x96, 0xAB, 0xBB}) // Ё ё № € – « »
            EXPECT_NE(FontGlyphIndex(*instance, (unsigned char)byte), 0u) << face << " " << byte;
        // Different letters, different glyphs: not one box for all.
        EXPECT_NE(FontGlyphIndex(*instance, 0xC0), FontGlyphIndex(*instance, 0xC1));
        // Even a character without a glyph takes room, as the box drawn for it does.
        EXPECT_GT(Width("\x98"), 0);
    }
}

TEST_F(FontMetricsTest, WidthScalesTheGlyphsAcross) {
    Use("Arial", -20);
    const TEXTMETRICA natural = Metrics();
    const LONG naturalWidth = Width("Coaxial Trap Design");
    struct Case {
        LONG width;
        bool wider;
    };
    const Case cases[] = {{natural.tmAveCharWidth * 2, true}, {natural.tmAveCharWidth / 2, false}};
    for (const Case& c : cases) {
        for (LONG sign : {1, -1}) { // the sign of the width does not matter
            SCOPED_TRACE(c.width * sign);
            Use("Arial", -20, 0, c.width * sign);
            TEXTMETRICA tm = Metrics();
            EXPECT_NEAR(tm.tmAveCharWidth, c.width, 1);
            EXPECT_EQ(tm.tmHeight, natural.tmHeight); // only the widths change
            EXPECT_EQ(Width("Coaxial Trap Design") > naturalWidth, c.wider);
        }
    }
}

TEST_F(FontMetricsTest, ExtremeSizesAreHeldToSomethingDrawable) {
    for (LONG height : {-2147483647 - 1, 2147483647, -1, 1}) {
        SCOPED_TRACE(height);
        LOGFONTA log{};
        log.lfHeight = height;
        log.lfWidth = height;
        strcpy(log.lfFaceName, "Arial");
        Use(log);
        TEXTMETRICA tm = Metrics();
        EXPECT_GT(tm.tmHeight, 0);
        EXPECT_GE(Width("abc"), 0);
    }
}

TEST(FontMetrics, SystemAndGuiFonts) {
    HDC dc = GdiCreateDC(kScreen96, nullptr);
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(dc, &tm)); // the system font is selected at first
    EXPECT_EQ(tm.tmHeight, 16);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);

    const int dpi = GdiStockFontDpi(); // as the display left it
    GdiSetStockFontDpi(96);
    HGDIOBJ gui = GetStockObject(DEFAULT_GUI_FONT);
    LOGFONTA log{};
    GetObjectA(gui, sizeof log, &log);
    EXPECT_EQ(log.lfHeight, -11);
    EXPECT_STREQ(log.lfFaceName, "MS Shell Dlg");

    // At another resolution the stock GUI font is 8 points there.
    GdiSetStockFontDpi(144);
    GetObjectA(gui, sizeof log, &log);
    EXPECT_EQ(log.lfHeight, -16);
    SelectObject(dc, gui);
    GetTextMetricsA(dc, &tm);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 16);
    GdiSetStockFontDpi(96);
    GetTextMetricsA(dc, &tm);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 11);
    GdiSetStockFontDpi(0); // no resolution: ignored
    EXPECT_EQ(GdiStockFontDpi(), 96);
    GdiSetStockFontDpi(dpi);
    GdiDeleteDC(dc);
}

} // namespace
