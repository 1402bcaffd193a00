// Which face a font description gets: stand-ins for the usual Windows faces, style words
// in the face name, weights and italics, as FreeType sees the face that was loaded.
#include "platform/gdi_internal.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const FontInstance* Realise(const char* face, LONG weight, BYTE italic, BYTE pitchAndFamily = 0) {
    LOGFONTA log{};
    log.lfHeight = -16;
    log.lfWeight = weight;
    log.lfItalic = italic;
    log.lfPitchAndFamily = pitchAndFamily;
    strncpy(log.lfFaceName, face, LF_FACESIZE - 1);
    HFONT font = CreateFontIndirectA(&log);
    const FontInstance* instance = GdiFontInstance(font);
    DeleteObject(font); // instances outlive the fonts that asked for them
    return instance;
}

TEST(FontMatch, FacesAndStyleWordsGiveTheExpectedFace) {
    struct Case {
        const char* face;
        LONG weight;
        BYTE italic;
        const char* family;
        bool bold;
        bool italicFace;
    };
    const Case cases[] = {
        {"MS Sans Serif", 0, 0, "Liberation Sans", false, false},
        {"MS Shell Dlg", FW_NORMAL, 0, "Liberation Sans", false, false},
        {"Arial", 0, 0, "Liberation Sans", false, false},
        {"helvetica", 0, 0, "Liberation Sans", false, false},
        {"ARIAL BOLD", 0, 0, "Liberation Sans", true, false},
        {"Arial Italic", 0, 0, "Liberation Sans", false, true},
        {"arial bold italic", 0, 0, "Liberation Sans", true, true},
        {"Arial  Italic  Bold ", 0, 0, "Liberation Sans", true, true},
        {"Arial Regular", FW_BOLD, 0, "Liberation Sans", true, false},
        {"Arial", FW_BOLD, 0, "Liberation Sans", true, false},
        {"Arial", FW_SEMIBOLD, 0, "Liberation Sans", true, false},
        {"Arial", FW_SEMIBOLD - 1, 0, "Liberation Sans", false, false},
        {"Arial", 0, 1, "Liberation Sans", false, true},
        {"Times New Roman", 0, 0, "Liberation Serif", false, false},
        {"Times New Roman Bold", 0, 1, "Liberation Serif", true, true},
        {"Courier New", 0, 0, "Liberation Mono", false, false},
        {"COURIER NEW BOLD ITALIC", 0, 0, "Liberation Mono", true, true},
        {"DejaVu Sans", FW_BOLD, 1, "DejaVu Sans", true, true},
        {"Liberation Serif", 0, 0, "Liberation Serif", false, false},
        // No face named: the family bits choose.
        {"", 0, 0, "Liberation Sans", false, false},
        // A face nobody has: fontconfig's own choice, which here is DejaVu Sans.
        {"No Such Face 123", 0, 0, "DejaVu Sans", false, false},
        {"No Such Face Bold", 0, 0, "DejaVu Sans", true, false},
        // A face name that is nothing but a style word is a face name.
        {"Bold", 0, 0, "DejaVu Sans", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.face << "\" weight " << c.weight);
        const FontInstance* font = Realise(c.face, c.weight, c.italic);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->family, c.family);
        EXPECT_EQ(font->faceBold, c.bold);
        EXPECT_EQ(font->faceItalic, c.italicFace);
        // Every style asked for here exists as a face of its own: nothing is simulated.
        EXPECT_FALSE(font->fakeBold);
        EXPECT_FALSE(font->fakeItalic);
    }
}

TEST(FontMatch, FamilyBitsChooseTheFaceWhenNoneIsNamed) {
    struct Case {
        BYTE pitchAndFamily;
        const char* family;
    };
    const Case cases[] = {
        {FF_DONTCARE, "Liberation Sans"},
        {VARIABLE_PITCH | FF_SWISS, "Liberation Sans"},
        {VARIABLE_PITCH | FF_ROMAN, "Liberation Serif"},
        {FF_MODERN, "Liberation Mono"},
        {FIXED_PITCH, "Liberation Mono"},
    };
    for (const Case& c : cases) {
        const FontInstance* font = Realise("", 0, 0, c.pitchAndFamily);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->family, c.family) << (int)c.pitchAndFamily;
    }
}

TEST(FontMatch, EqualDescriptionsShareOneInstance) {
    const FontInstance* first = Realise("Arial", 0, 0);
    const FontInstance* second = Realise("arial", FW_NORMAL, 0);
    const FontInstance* bold = Realise("Arial", FW_BOLD, 0);
    EXPECT_EQ(first, second);
    EXPECT_NE(first, bold);
}

TEST(FontMatch, StockFontsUseSansFaces) {
    struct Case {
        int index;
        const char* family;
        LONG weight;
    };
    const Case cases[] = {
        {SYSTEM_FONT, "Liberation Sans", FW_BOLD},
        {DEFAULT_GUI_FONT, "Liberation Sans", FW_NORMAL},
        {ANSI_VAR_FONT, "Liberation Sans", FW_NORMAL},
        {ANSI_FIXED_FONT, "Liberation Mono", FW_NORMAL},
    };
    for (const Case& c : cases) {
        const FontInstance* font = GdiFontInstance((HFONT)GetStockObject(c.index));
        ASSERT_NE(font, nullptr) << c.index;
        EXPECT_EQ(font->family, c.family) << c.index;
        EXPECT_EQ(font->metrics.tmWeight, c.weight) << c.index;
    }
}

} // namespace
