// Font instances through FreeType: faces loaded from their files, sized, measured. The
// library, the faces and the instances are made on first use and freed when the process
// ends.
#include "platform/codepage.h"
#include "platform/font_cache.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <tuple>
#include <unordered_map>

namespace {

// Beyond this many pixels per em a size is taken as this many.
constexpr long long kMaxPixels = 16384;

struct CachedInstance : FontInstance {
    std::array<int, 256> advances;
    std::array<bool, 256> known{};
    std::unordered_map<char32_t, int> charAdvances; // characters beyond the code page
};

// File, face index, cell height asked for (0: none), em and width in pixels, simulations,
// the bitmap face's cell.
using InstanceKey = std::tuple<std::string, int, int, int, int, bool, bool, bool>;

struct FontSystem {
    FT_Library library = nullptr;
    std::map<std::pair<std::string, int>, FT_Face> faces; // NULL: the file would not load
    std::map<InstanceKey, std::unique_ptr<CachedInstance>> instances;

    FontSystem() {
        if (FT_Init_FreeType(&library) != 0)
            library = nullptr;
    }
    ~FontSystem() {
        instances.clear(); // their sizes go with their faces
        for (auto& entry : faces) {
            if (entry.second)
                FT_Done_Face(entry.second);
        }
        if (library)
            FT_Done_FreeType(library);
    }
};

FontSystem& Fonts() {
    static FontSystem system;
    return system;
}

FT_Face LoadFace(const FontFile& file) {
    FontSystem& fonts = Fonts();
    if (!fonts.library)
        return nullptr;
    auto key = std::make_pair(file.path, file.index);
    auto found = fonts.faces.find(key);
    if (found != fonts.faces.end())
        return found->second;
    FT_Face face = nullptr;
    if (FT_New_Face(fonts.library, file.path.c_str(), file.index, &face) != 0) {
        face = nullptr;
    } else if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) {
        FT_Done_Face(face);
        face = nullptr;
    } else {
        FT_Select_Charmap(face, FT_ENCODING_UNICODE);
    }
    fonts.faces[key] = face;
    return face;
}

// units scaled to pixels at ppem pixels per em, rounded to the nearest (halves up).
long long Scale(long long units, long long ppem, long long unitsPerEm) {
    long long twice = 2 * units * ppem;
    if (twice >= 0)
        return (twice + unitsPerEm) / (2 * unitsPerEm);
    return -((-twice + unitsPerEm - 1) / (2 * unitsPerEm));
}

long long ClampPixels(long long pixels) {
    return std::clamp(pixels, 1LL, kMaxPixels);
}

// The vertical extent that the face's cell covers, in font units: the OS/2 table's
// Windows ascent and descent, or the horizontal header's when those are missing; or the
// cell of the bitmap face that the face stands in for.
void CellMetrics(FT_Face face, bool bitmapCell, long long* ascent, long long* descent) {
    if (bitmapCell) {
        *ascent = face->units_per_EM;
        *descent = (face->units_per_EM * 2 + 5) / 11;
        return;
    }
    auto* os2 = (TT_OS2*)FT_Get_Sfnt_Table(face, FT_SFNT_OS2);
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        *ascent = os2->usWinAscent;
        *descent = os2->usWinDescent;
    } else {
        *ascent = face->ascender;
        *descent = -face->descender;
    }
}

BYTE PitchAndFamily(FT_Face face) {
    BYTE bits = TMPF_VECTOR | TMPF_TRUETYPE;
    if (FT_IS_FIXED_WIDTH(face))
        return bits | FF_MODERN;
    bits |= TMPF_FIXED_PITCH; // set for a variable-pitch font
    auto* os2 = (TT_OS2*)FT_Get_Sfnt_Table(face, FT_SFNT_OS2);
    if (!os2 || os2->version == 0xFFFF)
        return bits | FF_SWISS;
    int familyKind = os2->panose[0], serifStyle = os2->panose[1];
    if (familyKind == 3)
        return bits | FF_SCRIPT;
    if (familyKind == 4)
        return bits | FF_DECORATIVE;
    if (familyKind == 2 && serifStyle >= 2 && serifStyle <= 10)
        return bits | FF_ROMAN;
    return bits | FF_SWISS;
}

// Where the underline and the strikeout go: the face's own figures scaled to the em, kept
// inside the cell.
void LineMetrics(CachedInstance& font, FT_Face face, const TT_OS2* os2) {
    long long em = font.emPixels, unitsPerEm = face->units_per_EM;
    const TEXTMETRICA& tm = font.metrics;
    long long thickness = face->underline_thickness > 0
                              ? Scale(face->underline_thickness, em, unitsPerEm)
                              : (em + 10) / 20;
    thickness = std::clamp(thickness, 1LL, std::max(1LL, (long long)tm.tmDescent));
    // The face gives the middle of the underline below the baseline.
    long long middle = face->underline_position < 0
                           ? Scale(-(long long)face->underline_position, em, unitsPerEm)
                           : (tm.tmDescent + 1) / 2;
    long long top =
        std::clamp(middle - thickness / 2, 1LL, std::max(1LL, (long long)tm.tmDescent - thickness));
    font.underlineOffset = (int)top;
    font.underlineThickness = (int)thickness;

    long long strikeTop = tm.tmAscent / 3, strikeSize = thickness;
    if (os2 && os2->version != 0xFFFF && os2->yStrikeoutPosition > 0) {
        strikeTop = Scale(os2->yStrikeoutPosition, em, unitsPerEm);
        if (os2->yStrikeoutSize > 0)
            strikeSize = std::max(1LL, Scale(os2->yStrikeoutSize, em, unitsPerEm));
    }
    strikeTop = std::clamp(strikeTop, 1LL, std::max(1LL, (long long)tm.tmAscent));
    font.strikeoutOffset = -(int)strikeTop;
    font.strikeoutThickness = (int)std::min(strikeSize, strikeTop);
}

// cellPixels: the cell height asked for, or 0 when the em was.
void Measure(CachedInstance& font, FT_Face face, long long cellPixels, bool bitmapCell) {
    long long unitsPerEm = face->units_per_EM;
    long long ascent, descent;
    CellMetrics(face, bitmapCell, &ascent, &descent);
    // Vertical metrics scale by pixels per em, or by the cell height asked for, so that
    // ascent and descent add up to it even where the em had to be rounded.
    long long pixels = font.emPixels, units = unitsPerEm;
    if (cellPixels > 0) {
        pixels = cellPixels;
        units = ascent + descent;
    }
    TEXTMETRICA& tm = font.metrics;
    tm.tmAscent = (LONG)Scale(ascent, pixels, units);
    tm.tmDescent = (LONG)Scale(descent, pixels, units);
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = tm.tmHeight - font.emPixels;

    // The line gap that the cell leaves over, when the horizontal header asks for more.
    auto* hhea = (TT_HoriHeader*)FT_Get_Sfnt_Table(face, FT_SFNT_HHEA);
    long long gap = 0, maxAdvance = face->max_advance_width;
    if (hhea) {
        gap = hhea->Line_Gap - ((ascent + descent) - (hhea->Ascender - hhea->Descender));
        maxAdvance = hhea->advance_Width_Max;
    }
    tm.tmExternalLeading = (LONG)std::max(0LL, Scale(gap, pixels, units));

    auto* os2 = (TT_OS2*)FT_Get_Sfnt_Table(face, FT_SFNT_OS2);
    if (os2 && os2->version != 0xFFFF && os2->xAvgCharWidth > 0)
        tm.tmAveCharWidth =
            (LONG)Scale(os2->xAvgCharWidth, font.widthPixels, unitsPerEm) + font.boldExtra;
    else
        tm.tmAveCharWidth = FontAdvance(font, 'x');
    tm.tmMaxCharWidth = (LONG)Scale(maxAdvance, font.widthPixels, unitsPerEm) + font.boldExtra;

    tm.tmWeight = (font.faceBold || font.fakeBold) ? FW_BOLD : FW_NORMAL;
    tm.tmOverhang = 0;
    tm.tmItalic = (font.faceItalic || font.fakeItalic) ? 255 : 0;
    tm.tmFirstChar = 0x1E;
    tm.tmLastChar = 0xFF;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = ' ';
    tm.tmPitchAndFamily = PitchAndFamily(face);
    tm.tmCharSet = RUSSIAN_CHARSET;
    LineMetrics(font, face, os2);
}

const FontInstance* Realize(const LOGFONTA& log, const FontRequest& request, const FontFile& file,
                            FT_Face face) {
    long long unitsPerEm = face->units_per_EM;
    long long ascent, descent;
    CellMetrics(face, request.bitmapCell, &ascent, &descent);

    // Negative heights give the em, positive ones the whole cell.
    long long height = log.lfHeight;
    long long em, cell = 0;
    if (height < 0) {
        em = -height;
    } else if (height > 0) {
        cell = std::min(height, kMaxPixels);
        em = Scale(cell, unitsPerEm, ascent + descent);
    } else {
        em = 12;
    }
    em = ClampPixels(em);

    // A width stretches or narrows the glyphs to that average character width.
    long long width = log.lfWidth < 0 ? -(long long)log.lfWidth : log.lfWidth;
    long long across = em;
    auto* os2 = (TT_OS2*)FT_Get_Sfnt_Table(face, FT_SFNT_OS2);
    if (width > 0 && os2 && os2->version != 0xFFFF && os2->xAvgCharWidth > 0)
        across = ClampPixels(Scale(width, unitsPerEm, os2->xAvgCharWidth));

    bool faceBold = (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
    bool faceItalic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
    bool fakeBold = request.bold && !faceBold;
    bool fakeItalic = request.italic && !faceItalic;

    FontSystem& fonts = Fonts();
    InstanceKey key{file.path,   file.index, (int)cell,  (int)em,
                    (int)across, fakeBold,   fakeItalic, request.bitmapCell};
    auto found = fonts.instances.find(key);
    if (found != fonts.instances.end())
        return found->second.get();

    FT_Size size = nullptr;
    if (FT_New_Size(face, &size) != 0)
        return nullptr;
    FT_Activate_Size(size);
    if (FT_Set_Pixel_Sizes(face, (FT_UInt)across, (FT_UInt)em) != 0) {
        FT_Done_Size(size);
        return nullptr;
    }

    auto font = std::make_unique<CachedInstance>();
    font->file = file.path;
    font->faceIndex = file.index;
    font->family = face->family_name ? face->family_name : "";
    font->style = face->style_name ? face->style_name : "";
    font->faceBold = faceBold;
    font->faceItalic = faceItalic;
    font->fakeBold = fakeBold;
    font->fakeItalic = fakeItalic;
    // Simulated bold thickens every glyph by about a twenty-fourth of the em.
    font->boldExtra = fakeBold ? (int)std::max(1LL, (em + 12) / 24) : 0;
    font->emPixels = (int)em;
    font->widthPixels = (int)across;
    font->face = face;
    font->size = size;
    Measure(*font, face, cell, request.bitmapCell);
    const FontInstance* made = font.get();
    fonts.instances[key] = std::move(font);
    return made;
}

} // namespace

const FontInstance* FontRealize(const LOGFONTA& log) {
    FontRequest request = FontRequestFromLogFont(log);
    std::optional<FontFile> file = FontMatchFile(request);
    FT_Face face = file ? LoadFace(*file) : nullptr;
    if (!face) {
        FontRequest fallback;
        fallback.family = "DejaVu Sans";
        fallback.bold = request.bold;
        fallback.italic = request.italic;
        file = FontMatchFile(fallback);
        face = file ? LoadFace(*file) : nullptr;
    }
    if (!face)
        return nullptr;
    return Realize(log, request, *file, face);
}

FT_FaceRec_* FontActivate(const FontInstance& font) {
    FT_Activate_Size(font.size);
    return font.face;
}

unsigned FontGlyphIndex(const FontInstance& font, unsigned char byte) {
    int codePoint = AnsiCharToUnicode(byte);
    return codePoint < 0 ? 0 : FT_Get_Char_Index(font.face, (FT_ULong)codePoint);
}

namespace {

// The advance of a glyph as the face is hinted at the instance's size, simulated bold
// included.
int GlyphAdvance(const FontInstance& font, unsigned glyph) {
    FT_Face face = FontActivate(font);
    int advance = 0;
    if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT) == 0)
        advance = (int)((face->glyph->advance.x + 32) >> 6);
    return advance + font.boldExtra;
}

CachedInstance& Cached(const FontInstance& font) {
    // Every instance is made as a CachedInstance.
    return const_cast<CachedInstance&>(static_cast<const CachedInstance&>(font));
}

} // namespace

int FontAdvance(const FontInstance& font, unsigned char byte) {
    CachedInstance& cached = Cached(font);
    if (!cached.known[byte]) {
        cached.advances[byte] = GlyphAdvance(font, FontGlyphIndex(font, byte));
        cached.known[byte] = true;
    }
    return cached.advances[byte];
}

int FontCharAdvance(const FontInstance& font, char32_t code) {
    if (code == kNoCharacter)
        return FontAdvance(font, 0x98);
    int byte = UnicodeToAnsiChar(code);
    if (byte >= 0)
        return FontAdvance(font, (unsigned char)byte);
    CachedInstance& cached = Cached(font);
    auto found = cached.charAdvances.find(code);
    if (found != cached.charAdvances.end())
        return found->second;
    int advance = GlyphAdvance(font, FT_Get_Char_Index(font.face, (FT_ULong)code));
    cached.charAdvances.emplace(code, advance);
    return advance;
}

long FontTextWidth(const FontInstance& font, std::string_view text) {
    long width = 0;
    if (!IsMultibyteUtf8(text)) {
        for (char c : text)
            width += FontAdvance(font, (unsigned char)c);
        return width;
    }
    for (const TextChar& c : FontTextChars(text))
        width += FontCharAdvance(font, c.code);
    return width;
}
