// Inside the layer: what the window manager and the drawing code need from GDI beyond the
// public calls. Device contexts themselves come from gdi_device.h.
#pragma once

#include "platform/gdi_device.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct FT_FaceRec_; // FreeType's FT_Face points to one
struct FT_SizeRec_; // FreeType's FT_Size points to one

// A font realised at one size from one font file: the glyphs that are measured and drawn.
// Instances live until the process ends; fonts with equal files, sizes and simulations
// share one.
struct FontInstance {
    std::string file; // the font file and the face's index in it
    int faceIndex = 0;
    std::string family; // FreeType's family and style names of the face
    std::string style;
    bool faceBold = false; // the face's own style flags
    bool faceItalic = false;
    bool fakeBold = false; // styles asked for that the face lacks: simulated when drawn
    bool fakeItalic = false;
    int boldExtra = 0; // pixels that simulated bold adds to every advance
    int emPixels = 0;  // pixels per em, vertically and horizontally
    int widthPixels = 0;
    TEXTMETRICA metrics{}; // all but the fields that depend on the LOGFONT or the device
    // Where lfUnderline and lfStrikeOut draw their lines: pixels below the baseline to the
    // line's top (the strikeout is above the baseline: negative), and the lines' thickness.
    int underlineOffset = 1;
    int underlineThickness = 1;
    int strikeoutOffset = -1;
    int strikeoutThickness = 1;
    FT_FaceRec_* face = nullptr;
    FT_SizeRec_* size = nullptr; // this instance's size object on face
};

// The advance in whole pixels of one Windows-1251 character, simulated bold included.
int FontAdvance(const FontInstance& font, unsigned char byte);
// The sum of the advances of the characters of a text, read as FontTextChars reads it.
long FontTextWidth(const FontInstance& font, std::string_view text);

// One character of a text: its code point (kNoCharacter for the byte that Windows-1251
// leaves unassigned) and the bytes it takes.
constexpr char32_t kNoCharacter = 0xFFFFFFFF;
struct TextChar {
    char32_t code;
    unsigned offset; // of its first byte in the text
    unsigned size;   // bytes
};
// The characters a text shows. Decided once for the whole text: one that is well-formed
// UTF-8 with at least one multi-byte sequence (IsMultibyteUtf8) is read as UTF-8, any
// other as Windows-1251, one character per byte. So names written on either system show
// alike.
std::vector<TextChar> FontTextChars(std::string_view text);
// The advance in whole pixels of a character, simulated bold included; the missing-glyph
// box's for a character the face lacks.
int FontCharAdvance(const FontInstance& font, char32_t code);

// A character's glyph rendered for drawing: grey coverage (0: none, 255: full), rows top
// to bottom, placed relative to the pen position on the baseline.
struct FontGlyph {
    int left = 0; // from the pen position right to the first column
    int top = 0;  // from the baseline up to the first row
    int width = 0;
    int height = 0;
    std::vector<unsigned char> coverage; // width * height
};
// The glyph of a character anti-aliased, with the instance's simulations; made once per
// instance and character and kept until the process ends.
const FontGlyph& FontCharGlyph(const FontInstance& font, char32_t code);
// The glyph of a Windows-1251 character in the face (0, the missing-glyph box, when the
// face has none or the code page leaves the byte unassigned).
unsigned FontGlyphIndex(const FontInstance& font, unsigned char byte);
// The instance's face with the instance's size made active, ready for FT_Load_Glyph.
FT_FaceRec_* FontActivate(const FontInstance& font);

// The instance a font handle or the font selected into a device context stands for; NULL
// when the handle is no font or DC, or when no font file could be loaded at all.
const FontInstance* GdiFontInstance(HFONT font);
const FontInstance* GdiFontOfDC(HDC dc);
// The description of the font selected into a device context; FALSE when dc is no DC.
BOOL GdiLogFontOfDC(HDC dc, LOGFONTA* font);
// The device a device context draws on; FALSE when dc is no DC.
BOOL GdiDeviceOfDC(HDC dc, GdiDevice* device);

// The colour a brush argument paints with: a solid brush handle, or a system colour index
// plus one (COLOR_BTNFACE + 1 paints in the button-face colour). Nothing for the null
// brush, for a handle that is no brush, and for a number that is no system colour.
std::optional<COLORREF> GdiBrushColor(HBRUSH brush);

// The resolution at which the stock DEFAULT_GUI_FONT is 8 points (96 until set; a value
// below 1 is ignored). The display sets it once at start, before the program runs.
void GdiSetStockFontDpi(int dpi);
int GdiStockFontDpi();
