// Inside the layer: the program's compiled resources. quorvin-rc generates the definition
// of ResourceTable() from the resource script into the res library; the resource calls
// (FindResourceA and the rest) look resources up in it.
#pragma once

#include <cstdint>
#include <span>

// One resource: its type and name as integer identifiers, and its bytes, which start on
// a 4-byte boundary as in a Windows module.
struct ResourceEntry {
    uint16_t type; // RT_ICON 3, RT_DIALOG 5, RT_GROUP_ICON 14
    uint16_t name;
    const unsigned char* data;
    uint32_t size;
};

// Every resource of the program, in the order of the script.
std::span<const ResourceEntry> ResourceTable();
