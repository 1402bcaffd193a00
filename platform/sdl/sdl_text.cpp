// Typed text in the layer's code page.
#include "platform/sdl/sdl_text.h"

#include "platform/codepage.h"

namespace {

bool IsContinuation(char byte) {
    return ((unsigned char)byte & 0xC0) == 0x80;
}

} // namespace

std::string TypedCharacters(std::string_view utf8) {
    std::string out;
    size_t pos = 0;
    while (pos < utf8.size()) {
        // One character: a byte of its own, or a lead byte and the continuation bytes
        // after it.
        size_t end = pos + 1;
        if ((unsigned char)utf8[pos] >= 0xC0) {
            while (end < utf8.size() && IsContinuation(utf8[end]))
                ++end;
        }
        std::string_view piece = utf8.substr(pos, end - pos);
        pos = end;
        std::string converted = Utf8ToAnsi(piece);
        // The conversion marks what it cannot convert with '?': only a real '?' stays.
        if (converted.size() != 1 || (converted[0] == '?' && piece != "?"))
            continue;
        unsigned char character = (unsigned char)converted[0];
        if (character < 32 || character == 127)
            continue;
        out += converted;
    }
    return out;
}
