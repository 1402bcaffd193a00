// Windows-1251, the layer's ANSI code page, and its conversions to and from Unicode.
#include "platform/codepage.h"

#include <array>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Bytes 0x80..0xFF; 0 marks 0x98, which the code page leaves unassigned.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // 0xB8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // 0xC0: А..
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, //
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, //
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, // ..Я
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // 0xE0: а..
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, //
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, //
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, // ..я
};

char AnsiOrQuestionMark(char32_t codePoint) {
    int byte = UnicodeToAnsiChar(codePoint);
    return byte < 0 ? '?' : (char)(unsigned char)byte;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += (char)c;
    } else if (c < 0x800) {
        out += (char)(0xC0 | (c >> 6));
        out += (char)(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += (char)(0xE0 | (c >> 12));
        out += (char)(0x80 | ((c >> 6) & 0x3F));
        out += (char)(0x80 | (c & 0x3F));
    } else {
        out += (char)(0xF0 | (c >> 18));
        out += (char)(0x80 | ((c >> 12) & 0x3F));
        out += (char)(0x80 | ((c >> 6) & 0x3F));
        out += (char)(0x80 | (c & 0x3F));
    }
}

// Decodes one character of UTF-8 at text[pos] and moves pos past it. A malformed sequence
// yields kReplacement and moves pos past its maximal malformed part (at least one byte);
// *wellFormed tells which of the two it was.
char32_t DecodeUtf8(std::string_view text, size_t& pos, bool* wellFormed) {
    unsigned char lead = (unsigned char)text[pos++];
    *wellFormed = true;
    if (lead < 0x80)
        return lead;
    int more;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    char32_t c;
    if (lead >= 0xC2 && lead <= 0xDF) {
        more = 1;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        more = 2;
        c = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0; // no overlong forms
        if (lead == 0xED)
            high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        more = 3;
        c = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90; // no overlong forms
        if (lead == 0xF4)
            high = 0x8F; // nothing above U+10FFFF
    } else {
        *wellFormed = false;
        return kReplacement;
    }
    for (int i = 0; i < more; ++i) {
        if (pos >= text.size()) {
            *wellFormed = false;
            return kReplacement;
        }
        unsigned char next = (unsigned char)text[pos];
        if (next < low || next > high) {
            *wellFormed = false;
            return kReplacement;
        }
        low = 0x80;
        high = 0xBF;
        c = (c << 6) | (next & 0x3F);
        ++pos;
    }
    return c;
}

} // namespace

int AnsiCharToUnicode(unsigned char byte) {
    if (byte < 0x80)
        return byte;
    char16_t c = kHighHalf[byte - 0x80];
    return c == 0 ? -1 : c;
}

int UnicodeToAnsiChar(char32_t codePoint) {
    if (codePoint < 0x80)
        return (int)codePoint;
    for (size_t i = 0; i < kHighHalf.size(); ++i) {
        if (kHighHalf[i] != 0 && kHighHalf[i] == codePoint)
            return (int)(0x80 + i);
    }
    return -1;
}

std::string Utf16ToAnsi(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            ++i; // a pair: one character outside the code page
            out += '?';
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            out += '?';
        } else {
            out += AnsiOrQuestionMark(unit);
        }
    }
    return out;
}

std::string Utf16ToAnsi(const WCHAR* text, size_t length) {
    if (!text)
        return std::string();
    std::u16string units(length, u'\0');
    for (size_t i = 0; i < length; ++i)
        units[i] = (char16_t)text[i];
    return Utf16ToAnsi(std::u16string_view(units));
}

std::u16string AnsiToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char byte : text) {
        int c = AnsiCharToUnicode((unsigned char)byte);
        out += (char16_t)(c < 0 ? kReplacement : (char32_t)c);
    }
    return out;
}

std::string AnsiToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char byte : text) {
        int c = AnsiCharToUnicode((unsigned char)byte);
        AppendUtf8(out, c < 0 ? kReplacement : (char32_t)c);
    }
    return out;
}

std::string Utf8ToAnsi(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        bool wellFormed;
        char32_t c = DecodeUtf8(text, pos, &wellFormed);
        out += wellFormed ? AnsiOrQuestionMark(c) : '?';
    }
    return out;
}

bool IsMultibyteUtf8(std::string_view text) {
    bool multibyte = false;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t start = pos;
        bool wellFormed;
        DecodeUtf8(text, pos, &wellFormed);
        if (!wellFormed)
            return false;
        if (pos - start > 1)
            multibyte = true;
    }
    return multibyte;
}
