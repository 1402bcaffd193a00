// Inside the desktop display: text from the desktop in the layer's code page.
#pragma once

#include <string>
#include <string_view>

// Typed text (UTF-8) as the characters of the code page; a character the code page lacks,
// a malformed sequence and a control character are left out.
std::string TypedCharacters(std::string_view utf8);
