// Glyphs rendered for drawing: FreeType's anti-aliased coverage of each character at an
// instance's size, with simulated bold and italic, kept per instance and character.
#include "platform/codepage.h"
#include "platform/gdi_internal.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <map>
#include <unordered_map>

namespace {

// The slant of simulated italic: about twelve degrees, x += 0.2126 * y (16.16 fixed).
constexpr FT_Fixed kItalicShear = 0x0366A;

using GlyphTable = std::unordered_map<char32_t, FontGlyph>;

std::map<const FontInstance*, GlyphTable>& Glyphs() {
    static std::map<const FontInstance*, GlyphTable> glyphs;
    return glyphs;
}

unsigned GlyphIndexOf(const FontInstance& font, char32_t code) {
    if (code == kNoCharacter)
        return 0;
    int byte = UnicodeToAnsiChar(code);
    if (byte >= 0)
        return FontGlyphIndex(font, (unsigned char)byte);
    return FT_Get_Char_Index(font.face, (FT_ULong)code);
}

// Copies a rendered bitmap into coverage rows, top to bottom, whatever its flow and depth.
void CopyBitmap(const FT_Bitmap& bitmap, FontGlyph& glyph) {
    glyph.width = (int)bitmap.width;
    glyph.height = (int)bitmap.rows;
    glyph.coverage.assign((size_t)glyph.width * glyph.height, 0);
    if (!bitmap.buffer)
        return;
    int pitch = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
    for (int row = 0; row < glyph.height; ++row) {
        int sourceRow = bitmap.pitch < 0 ? glyph.height - 1 - row : row;
        const unsigned char* source = bitmap.buffer + (size_t)sourceRow * pitch;
        unsigned char* target = glyph.coverage.data() + (size_t)row * glyph.width;
        for (int x = 0; x < glyph.width; ++x) {
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
                target[x] = (source[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            } else if (bitmap.num_grays > 1 && bitmap.num_grays != 256) {
                target[x] = (unsigned char)(source[x] * 255 / (bitmap.num_grays - 1));
            } else {
                target[x] = source[x];
            }
        }
    }
}

FontGlyph Render(const FontInstance& font, char32_t code) {
    FontGlyph glyph;
    FT_Face face = FontActivate(font);
    if (FT_Load_Glyph(face, GlyphIndexOf(font, code), FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0)
        return glyph;
    FT_GlyphSlot slot = face->glyph;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (font.fakeBold && font.boldExtra > 0)
            FT_Outline_EmboldenXY(&slot->outline, font.boldExtra * 64, 0);
        if (font.fakeItalic) {
            FT_Matrix shear{0x10000, kItalicShear, 0, 0x10000};
            FT_Outline_Transform(&slot->outline, &shear);
        }
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
        return glyph;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    CopyBitmap(slot->bitmap, glyph);
    return glyph;
}

} // namespace

const FontGlyph& FontCharGlyph(const FontInstance& font, char32_t code) {
    GlyphTable& table = Glyphs()[&font];
    auto found = table.find(code);
    if (found != table.end())
        return found->second;
    return table.emplace(code, Render(font, code)).first->second;
}
