// The colours of a board's buttons, in the CSS forms that boards write: "rgb(r, g, b)",
// "rgba(r, g, b, a)", "#rrggbb", "#rgb" and colour names. Read in any of them, written
// as rgb() or rgba().
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace obf {

struct Color
{
    uint8_t red = 0, green = 0, blue = 0;
    uint8_t alpha = 255; // 0 transparent .. 255 opaque

    bool operator==(const Color&) const = default;
};

// Reads a colour, in any case, with or without spaces before and after it:
//  - "rgb(r, g, b)" or "rgba(r, g, b, a)": r, g, b integers 0..255 or all three
//    percentages 0%..100%, a a number 0..1 or a percentage; spaces around each part;
//  - "#rgb", "#rgba", "#rrggbb" or "#rrggbbaa" in hex digits ("#f80" is "#ff8800");
//  - a colour name of CSS ("red", "cornflowerblue"; "transparent" is black of
//    opacity 0).
// Throws obf::Error for anything else.
Color ParseColor(std::string_view text);

// Writes "rgb(r, g, b)" for an opaque colour, else "rgba(r, g, b, a)" with a to three
// decimals, so that ParseColor gives the same colour back.
std::string FormatColor(const Color& color);

} // namespace obf
