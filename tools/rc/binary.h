// The binary forms of the resources, as a Windows program finds them in its module.
#pragma once

#include "tools/rc/script.h"

#include <cstdint>
#include <vector>

namespace rc {

struct BinaryResource {
    uint16_t type = 0; // RT_ICON 3, RT_DIALOG 5, RT_GROUP_ICON 14
    uint16_t name = 0;
    std::vector<uint8_t> data;
    std::string origin; // "file:line" of the statement, for the generated source
};

// A DLGTEMPLATEEX with its DLGITEMTEMPLATEEX items.
std::vector<uint8_t> EncodeDialog(const Dialog& dialog);

// Every resource of a script, in script order; an icon gives its RT_GROUP_ICON followed
// by one RT_ICON per image, numbered from 1 across the script. Throws ScriptError when
// two resources of one type share an identifier.
std::vector<BinaryResource> EncodeResources(const std::vector<ResourceDef>& defs);

} // namespace rc
