// The resources a script defines: dialog templates and icons.
#pragma once

#include "tools/rc/source.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace rc {

// A window class (or menu) of a template: none, an ordinal (a predefined class atom) or a
// name.
struct ClassRef {
    enum Kind { None, Ordinal, Named };
    Kind kind = None;
    uint16_t ordinal = 0;
    std::u16string name;
};

struct Control {
    Location where;
    std::u16string text;
    uint32_t id = 0; // a negative identifier is kept in its 16-bit form
    ClassRef windowClass;
    uint32_t style = 0, exStyle = 0, helpId = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
};

struct Dialog {
    uint32_t helpId = 0, exStyle = 0, style = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    ClassRef windowClass;
    std::u16string caption;
    bool hasFont = false;
    uint16_t pointSize = 0, weight = 0;
    uint8_t italic = 0, charset = 0;
    std::u16string typeface;
    std::vector<Control> controls;
};

// One image of an icon file, with the fields of its directory entry.
struct IconImage {
    uint8_t width = 0, height = 0, colorCount = 0;
    uint16_t planes = 0, bitCount = 0;
    std::vector<uint8_t> bits;
};

struct Icon {
    std::vector<IconImage> images;
};

struct ResourceDef {
    Location where;
    uint16_t name = 0;
    std::variant<Dialog, Icon> body;
};

// Reads the resource definitions of a script. Throws ScriptError.
std::vector<ResourceDef> ReadScript(const std::filesystem::path& script,
                                    const std::vector<std::filesystem::path>& includeDirs);

// Reads an .ico file's images; the message of the error says what is wrong.
std::vector<IconImage> ReadIconFile(const std::vector<uint8_t>& file, std::string& error);

} // namespace rc
