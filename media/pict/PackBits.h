// PackBits, the run-length code of picture pixel rows, over units of 1 byte (the usual
// form) or 2 bytes (16-bit pixels, pack type 3).
//
// A flag byte n is followed by n + 1 literal units when 0 <= n <= 127, by one unit to
// repeat 1 - n times when -127 <= n <= -1; -128 is skipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pict {

// Unpacks src[0..srcSize) into dst[0..dstSize) with units of unitSize bytes (1 or 2).
// Output beyond dstSize is dropped; a code that breaks off at the end of src ends the
// unpacking. Returns the number of bytes written (dst's tail keeps what it held).
size_t UnpackBits(const uint8_t* src, size_t srcSize, uint8_t* dst, size_t dstSize, size_t unitSize);

// Appends the PackBits code of data[0..size) (size a multiple of unitSize) to out.
void PackBits(const uint8_t* data, size_t size, size_t unitSize, std::vector<uint8_t>& out);

} // namespace pict
