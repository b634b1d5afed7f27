// The colours of a board's buttons: CSS's "rgb(r, g, b)" and "rgba(r, g, b, a)".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace obf {

struct Color
{
    uint8_t red = 0, green = 0, blue = 0;
    uint8_t alpha = 255; // 0 transparent .. 255 opaque; the text's 0..1 scaled

    bool operator==(const Color&) const = default;
};

// Reads "rgb(r, g, b)" or "rgba(r, g, b, a)": r, g, b integers 0..255, a a number
// 0..1; spaces anywhere between the parts. Throws obf::Error for anything else.
Color ParseColor(std::string_view text);

// Writes "rgb(r, g, b)" for an opaque colour, else "rgba(r, g, b, a)" with a to three
// decimals, so that ParseColor gives the same colour back.
std::string FormatColor(const Color& color);

} // namespace obf
