// The colours that CSS names ("red", "cornflowerblue", "transparent"), by name.
#pragma once

#include "Color.h"

#include <optional>
#include <string_view>

namespace obf {

// The colour of a CSS colour name written in lower case, or nothing for a name that
// CSS does not give a colour.
std::optional<Color> FindNamedColor(std::string_view name);

} // namespace obf
