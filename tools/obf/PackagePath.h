// Paths inside a board package. Zip entry names, manifest paths and the "path" of
// images, sounds and linked boards all go through CheckPackagePath before use, so that
// nothing names a place outside the package.
#pragma once

#include <string>
#include <string_view>

namespace obf {

// Returns the path in its one canonical form: '/' separators ('\' counts as one too),
// no empty or "." components. Throws obf::Error for a path that would leave the
// package or is not a path at all: empty, absolute ("/x", "\x"), with a drive letter
// or any ':' ("C:x"), with a ".." component, or with a NUL or other control character.
std::string CheckPackagePath(std::string_view path);

} // namespace obf
