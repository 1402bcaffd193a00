// Texts as the characters they show: Windows-1251 bytes, or UTF-8 where the whole text
// clearly is UTF-8.
#include "platform/codepage.h"
#include "platform/gdi_internal.h"

std::vector<TextChar> FontTextChars(std::string_view text) {
    std::vector<TextChar> chars;
    chars.reserve(text.size());
    if (!IsMultibyteUtf8(text)) {
        for (size_t i = 0; i < text.size(); ++i) {
            int code = AnsiCharToUnicode((unsigned char)text[i]);
            chars.push_back({code < 0 ? kNoCharacter : (char32_t)code, (unsigned)i, 1});
        }
        return chars;
    }
    // Well-formed: every lead byte is followed by the continuation bytes it announces.
    size_t i = 0;
    while (i < text.size()) {
        unsigned char lead = (unsigned char)text[i];
        size_t size = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (i + size > text.size())
            break;
        char32_t code = size == 1   ? lead
                        : size == 2 ? lead & 0x1F
                        : size == 3 ? lead & 0x0F
                                    : lead & 0x07;
        for (size_t k = 1; k < size; ++k)
            code = (code << 6) | ((unsigned char)text[i + k] & 0x3F);
        chars.push_back({code, (unsigned)i, (unsigned)size});
        i += size;
    }
    return chars;
}
