// Which source of an image to use. The format lets an image carry several: its bytes in
// a data: URI, a path inside the package, a URL, and a symbol of a symbol set. A reader
// takes data first, then path, then url, then symbol.
#pragma once

#include "Board.h"

#include <vector>

namespace obf {

enum class ImageSource
{
    Data,
    Path,
    Url,
    Symbol,
};

// The sources the image has, most preferred first; empty when it has none. A reader
// that cannot use one (a URL it does not fetch, bytes it cannot decode) goes on to
// the next.
std::vector<ImageSource> PreferredImageSources(const Image& image);

} // namespace obf
