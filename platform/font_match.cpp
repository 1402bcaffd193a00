// Font files through fontconfig: which file holds the face a request names. Fontconfig is
// set up on first use and shut down when the process ends.
#include "platform/font_cache.h"

#include <fontconfig/fontconfig.h>

#include <map>
#include <strings.h>
#include <tuple>

namespace {

struct Matcher {
    bool ready = false;
    std::map<std::tuple<std::string, bool, bool>, std::optional<FontFile>> cache;

    Matcher() { ready = FcInit() == FcTrue; }
    ~Matcher() {
        if (ready)
            FcFini();
    }
};

Matcher& TheMatcher() {
    static Matcher matcher;
    return matcher;
}

// Fontconfig's best match for a family and style. When strict, only a face of that very
// family will do (any of the face's family names, without regard to case).
std::optional<FontFile> Match(const std::string& family, bool bold, bool italic, bool strict) {
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        return std::nullopt;
    FcPatternAddString(pattern, FC_FAMILY, (const FcChar8*)family.c_str());
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return std::nullopt;

    std::optional<FontFile> file;
    bool familyFound = !strict;
    FcChar8* name = nullptr;
    for (int i = 0; !familyFound && FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch;
         ++i) {
        familyFound = strcasecmp((const char*)name, family.c_str()) == 0;
    }
    FcChar8* path = nullptr;
    int index = 0;
    if (familyFound && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch)
            index = 0;
        file = FontFile{(const char*)path, index};
    }
    FcPatternDestroy(match);
    return file;
}

} // namespace

std::optional<FontFile> FontMatchFile(const FontRequest& request) {
    Matcher& matcher = TheMatcher();
    if (!matcher.ready)
        return std::nullopt;
    auto key =
        std::make_tuple(request.substitute + '\n' + request.family, request.bold, request.italic);
    auto cached = matcher.cache.find(key);
    if (cached != matcher.cache.end())
        return cached->second;

    std::optional<FontFile> file;
    if (!request.substitute.empty())
        file = Match(request.substitute, request.bold, request.italic, true);
    if (!file)
        file = Match(request.family, request.bold, request.italic, false);
    if (!file)
        file = Match("DejaVu Sans", request.bold, request.italic, false);
    matcher.cache[key] = file;
    return file;
}
