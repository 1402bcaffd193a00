// Windows-1251 and its conversions to and from UTF-8 and UTF-16.
#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

struct CodepageCase {
    const char* ansi; // Windows-1251 bytes
    const char* utf8; // the same text in UTF-8
    std::u16string utf16;
};

const std::vector<CodepageCase> kCodepageCases = {
    {"", "", u""},
    {"Freq, MHz", "Freq, MHz", u"Freq, MHz"},
    {"\xD7\xE0\xF1\xF2\xEE\xF2\xE0:", "Частота:", u"Частота:"},
    {"\xB8\xA8", "ёЁ", u"ёЁ"},
    {"\xB9 5", "№ 5", u"№ 5"},
    {"\x88", "€", u"€"},
    {"\xC0\xDF\xE0\xFF", "АЯая", u"АЯая"},
    {"\xA5\xB4\xAA\xBA\xB2\xB3\xAF\xBF", "ҐґЄєІіЇї", u"ҐґЄєІіЇї"},
    {"\x96\x97\x85\xAB\xBB\x99\xB0\xB1\xB5", "–—…«»™°±µ", u"–—…«»™°±µ"},
    {"\xA0\xAD", "\u00A0\u00AD", u"\u00A0\u00AD"},
};

TEST(Codepage, ConvertsBothWaysBetweenAnsiUtf8AndUtf16) {
    for (const CodepageCase& c : kCodepageCases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(AnsiToUtf8(c.ansi), c.utf8);
        EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi);
        EXPECT_EQ(AnsiToUtf16(c.ansi), c.utf16);
        EXPECT_EQ(Utf16ToAnsi(c.utf16), c.ansi);
        std::vector<WCHAR> words(c.utf16.begin(), c.utf16.end());
        EXPECT_EQ(Utf16ToAnsi(words.data(), words.size()), c.ansi);
    }
}

TEST(Codepage, EveryAssignedByteRoundTripsThroughItsOwnCodePoint) {
    std::set<int> seen;
    for (int byte = 0; byte < 256; ++byte) {
        int codePoint = AnsiCharToUnicode((unsigned char)byte);
        if (byte == 0x98) {
            EXPECT_EQ(codePoint, -1);
            continue;
        }
        ASSERT_GE(codePoint, 0) << byte;
        EXPECT_TRUE(seen.insert(codePoint).second) << "two bytes map to U+" << codePoint;
        EXPECT_EQ(UnicodeToAnsiChar((char32_t)codePoint), byte);
    }
    // The alphabet runs contiguously from А to я.
    for (int byte = 0xC0; byte <= 0xFF; ++byte)
        EXPECT_EQ(AnsiCharToUnicode((unsigned char)byte), 0x410 + (byte - 0xC0));
}

TEST(Codepage, TheUnassignedByteAndForeignCharacters) {
    EXPECT_EQ(AnsiToUtf8("a\x98z"), "a\uFFFDz");
    EXPECT_EQ(AnsiToUtf16("\x98"), u"\uFFFD");
    EXPECT_EQ(UnicodeToAnsiChar(0x98), -1);
    EXPECT_EQ(UnicodeToAnsiChar(0xFFFD), -1);
    EXPECT_EQ(UnicodeToAnsiChar(0xE9), -1); // é is not in the code page
    EXPECT_EQ(UnicodeToAnsiChar(0x110000), -1);

    // One '?' per character, whatever its encoded length.
    EXPECT_EQ(Utf8ToAnsi("日本 é €"), "?? ? \x88");
    EXPECT_EQ(Utf8ToAnsi("x😀y"), "x?y");
    EXPECT_EQ(Utf16ToAnsi(u"x😀y"), "x?y");
    EXPECT_EQ(Utf16ToAnsi(std::u16string{0xD800, u'x', 0xDC00}), "?x?"); // unpaired halves
    // Embedded zeros are characters like any other.
    EXPECT_EQ(Utf8ToAnsi(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Codepage, MalformedUtf8BecomesQuestionMarks) {
    struct Case {
        std::string utf8;
        std::string ansi;
    };
    const Case cases[] = {
        {"A\x80"
         "B",
         "A?B"},                      // stray continuation byte
        {"\xC0\xAF", "??"},           // overlong '/'
        {"\xE0\x80\x80", "???"},      // overlong three-byte form
        {"\xED\xA0\x80", "???"},      // a surrogate encoded in UTF-8
        {"\xF4\x90\x80\x80", "????"}, // above U+10FFFF
        {"\xE2\x82", "?"},            // € cut short at the end
        {"\xE2\x82"
         "A",
         "?A"}, // cut short in the middle
        {"\xD0"
         "\xD0\x90",
         "?\xC0"}, // a lost continuation does not swallow the next letter
        {"\xFF\xFE", "??"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ansi);
        EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi);
        EXPECT_FALSE(IsMultibyteUtf8(c.utf8));
    }
}

TEST(Codepage, RecognisesUtf8ThatNeedsMoreThanAscii) {
    struct Case {
        std::string text;
        bool multibyte;
    };
    const Case cases[] = {
        {"", false},
        {"RG-58 C/U", false},                // ASCII alone proves nothing
        {"\xD0\xC3-58", false},              // Windows-1251 "РГ-58"
        {"\xCA\xE0\xE1\xE5\xEB\xFC", false}, // "Кабель" in Windows-1251
        {"РГ-58", true},
        {"50 Ом, 75 €", true},
        {"\xC3\xA9", true}, // é
        {"😀", true},
        {"РГ\xFF", false}, // a bad byte spoils the whole text
        {"РГ\xD0", false}, // as does a sequence cut short
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsMultibyteUtf8(c.text), c.multibyte) << c.text;
}

} // namespace
