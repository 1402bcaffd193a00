// Face names: style words, weights, and the installed faces that stand in for the faces
// Windows programs ask for.
#include "platform/codepage.h"
#include "platform/font_cache.h"

#include <cstring>
#include <vector>

namespace {

struct Substitute {
    const char* face; // lower case
    const char* installed;
};

// Metric-compatible stand-ins: the same advance widths and vertical metrics.
constexpr Substitute kSubstitutes[] = {
    {"ms sans serif", "Liberation Sans"},  {"ms shell dlg", "Liberation Sans"},
    {"ms shell dlg 2", "Liberation Sans"}, {"microsoft sans serif", "Liberation Sans"},
    {"system", "Liberation Sans"},         {"arial", "Liberation Sans"},
    {"helvetica", "Liberation Sans"},      {"times new roman", "Liberation Serif"},
    {"times", "Liberation Serif"},         {"ms serif", "Liberation Serif"},
    {"courier new", "Liberation Mono"},    {"courier", "Liberation Mono"},
    {"fixedsys", "Liberation Mono"},       {"terminal", "Liberation Mono"},
};

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = (char)(c - 'A' + 'a');
    }
    return text;
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t start = text.find_first_not_of(' ', pos);
        if (start == std::string::npos)
            break;
        size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        words.push_back(text.substr(start, end - start));
        pos = end;
    }
    return words;
}

} // namespace

FontRequest FontRequestFromLogFont(const LOGFONTA& font) {
    FontRequest request;
    request.bold = font.lfWeight >= FW_SEMIBOLD;
    request.italic = font.lfItalic != 0;

    // The face field need not hold a terminating zero: read no further than its end.
    std::string face =
        AnsiToUtf8(std::string_view(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE)));
    // Trailing style words name a style of the face before them.
    std::vector<std::string> words = Words(face);
    while (words.size() > 1) {
        std::string last = Lower(words.back());
        if (last == "bold")
            request.bold = true;
        else if (last == "italic" || last == "oblique")
            request.italic = true;
        else if (last != "regular" && last != "normal")
            break;
        words.pop_back();
    }
    for (const std::string& word : words)
        request.family += (request.family.empty() ? "" : " ") + word;

    if (request.family.empty()) {
        // No face named: the family bits choose a default face.
        int family = font.lfPitchAndFamily & 0xF0;
        if (family == FF_ROMAN)
            request.family = "Times New Roman";
        else if (family == FF_MODERN || (font.lfPitchAndFamily & 0x03) == FIXED_PITCH)
            request.family = "Courier New";
        else
            request.family = "Arial";
    }
    std::string key = Lower(request.family);
    for (const Substitute& s : kSubstitutes) {
        if (key == s.face)
            request.substitute = s.installed;
    }
    request.bitmapCell = key == "ms sans serif";
    return request;
}
