// Base64 (RFC 4648's standard alphabet) and the data: URIs that carry images and
// sounds inside a board.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace obf {

// Decodes base64 text. ASCII whitespace is skipped; the '=' padding may be left out.
// Throws obf::Error for any other character outside the alphabet, padding in the
// middle, or a final group of a single character.
std::vector<uint8_t> DecodeBase64(std::string_view text);

// Encodes bytes as base64 text with padding and no line breaks.
std::string EncodeBase64(std::span<const uint8_t> bytes);

// A data: URI split into its media type ("image/png"; empty when the URI gives none)
// and its bytes.
struct DataUri
{
    std::string content_type;
    std::vector<uint8_t> bytes;
};

// Reads "data:[<media type>][;param...][;base64],<data>". Base64 data is decoded,
// other data percent-decoded. Throws obf::Error when the text is no data: URI or its
// data does not decode.
DataUri ParseDataUri(std::string_view uri);

// Makes "data:<content_type>;base64,<bytes>".
std::string MakeDataUri(std::string_view content_type, std::span<const uint8_t> bytes);

} // namespace obf
