// Inside GDI: from a LOGFONTA to a font file (fontconfig) and to a realised font instance
// (FreeType). Shared by the font_*.cpp files.
#pragma once

#include "platform/gdi_internal.h"

#include <optional>
#include <string>

// What a LOGFONTA asks for, in the terms fontconfig understands.
struct FontRequest {
    std::string family;     // UTF-8 face name without its style words, or a default face
    std::string substitute; // the installed face that stands in for family, or empty
    bool bold = false;
    bool italic = false;
    // The stand-in takes the cell of the bitmap face it replaces: the ascent is the em and
    // the descent two elevenths of it (13 pixels for an 11-pixel em).
    bool bitmapCell = false;
};

// A face of a font file.
struct FontFile {
    std::string path;
    int index = 0;
};

// Reads the face name (at most LF_FACESIZE bytes, Windows-1251), its style words ("Arial
// Bold Italic", in any case), lfWeight and lfItalic.
FontRequest FontRequestFromLogFont(const LOGFONTA& font);

// The font file fontconfig chooses: the substitute when it is installed, else fontconfig's
// best match for the family, else DejaVu Sans. Nothing when fontconfig finds no file.
std::optional<FontFile> FontMatchFile(const FontRequest& request);

// The instance for a font description, made once and kept until the process ends; NULL
// when no font file can be loaded at all.
const FontInstance* FontRealize(const LOGFONTA& font);
