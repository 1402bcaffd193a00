// The layer's ANSI code page, Windows-1251: every "A" call takes and returns texts in it.
// Conversions to and from Unicode for the parts that meet the outside world (dialog
// templates in UTF-16, font files, UTF-8 text from the display and from files).
#pragma once

#include "platform/win/types.h"

#include <cstddef>
#include <string>
#include <string_view>

// The Unicode code point of one Windows-1251 byte; -1 for 0x98, the one byte that the code
// page leaves unassigned.
int AnsiCharToUnicode(unsigned char byte);

// The Windows-1251 byte (0..255) for a code point; -1 when the code page has none.
int UnicodeToAnsiChar(char32_t codePoint);

// UTF-16 to Windows-1251. A character the code page lacks becomes '?', once per character
// (a surrogate pair is one character); an unpaired surrogate also becomes '?'.
std::string Utf16ToAnsi(std::u16string_view text);
std::string Utf16ToAnsi(const WCHAR* text, size_t length);

// Windows-1251 to UTF-16 and to UTF-8; the unassigned byte 0x98 becomes U+FFFD.
std::u16string AnsiToUtf16(std::string_view text);
std::string AnsiToUtf8(std::string_view text);

// UTF-8 to Windows-1251. A character the code page lacks becomes '?'; so does each
// malformed sequence (overlong forms, surrogates, values above U+10FFFF, stray or missing
// continuation bytes), one '?' for each maximal malformed part.
std::string Utf8ToAnsi(std::string_view text);

// Whether text is well-formed UTF-8 and holds at least one multi-byte sequence: a text
// that is certainly UTF-8 rather than plain ASCII or Windows-1251.
bool IsMultibyteUtf8(std::string_view text);
