// The generated C++ source: the resources as byte arrays and the table that lists them.
#pragma once

#include "tools/rc/binary.h"

#include <string>
#include <vector>

namespace rc {

// A translation unit defining ResourceTable() (platform/resource_table.h) over resources.
std::string GenerateSource(const std::vector<BinaryResource>& resources, const std::string& script);

} // namespace rc
