// Text of Macintosh pictures (Mac OS Roman) in the Windows ANSI code page (1252).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pict {

// text[0..size) converted character by character; characters that code page 1252 lacks
// (mathematical signs, the Apple logo, some accents on their own) become '?'.
std::string MacRomanToWindows1252(const uint8_t* text, size_t size);

} // namespace pict
