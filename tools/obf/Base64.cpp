// Base64 decoding and encoding, and data: URIs.
#include "Base64.h"

#include "ObfError.h"

namespace obf {

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The 6-bit value of a base64 character, or -1.
int SextetOf(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::vector<uint8_t> PercentDecode(std::string_view text)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            bytes.push_back(static_cast<uint8_t>(text[i]));
            continue;
        }
        int high = i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
        int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
        if (low < 0)
            throw Error("a data: URI holds a '%' that is no escape");
        bytes.push_back(static_cast<uint8_t>(high * 16 + low));
        i += 2;
    }
    return bytes;
}

} // namespace

std::vector<uint8_t> DecodeBase64(std::string_view text)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() / 4 * 3 + 3);
    uint32_t group = 0;
    int count = 0;   // characters in the current group of four
    int padding = 0; // '=' seen; only more padding and whitespace may follow
    for (char c : text) {
        if (IsSpace(c))
            continue;
        if (c == '=') {
            ++padding;
            continue;
        }
        int sextet = SextetOf(c);
        if (sextet < 0)
            throw Error("base64 data holds a character outside its alphabet");
        if (padding)
            throw Error("base64 data goes on after its padding");
        group = group << 6 | static_cast<uint32_t>(sextet);
        if (++count == 4) {
            bytes.push_back(static_cast<uint8_t>(group >> 16));
            bytes.push_back(static_cast<uint8_t>(group >> 8));
            bytes.push_back(static_cast<uint8_t>(group));
            group = 0;
            count = 0;
        }
    }
    if (count == 1)
        throw Error("base64 data ends in the middle of a byte");
    if (padding && (count == 0 || count + padding != 4))
        throw Error("base64 data has the wrong padding");
    if (count == 2) {
        bytes.push_back(static_cast<uint8_t>(group >> 4));
    } else if (count == 3) {
        bytes.push_back(static_cast<uint8_t>(group >> 10));
        bytes.push_back(static_cast<uint8_t>(group >> 2));
    }
    return bytes;
}

std::string EncodeBase64(std::span<const uint8_t> bytes)
{
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        uint32_t group = bytes[i] << 16 | bytes[i + 1] << 8 | bytes[i + 2];
        text += kAlphabet[group >> 18];
        text += kAlphabet[group >> 12 & 63];
        text += kAlphabet[group >> 6 & 63];
        text += kAlphabet[group & 63];
    }
    size_t left = bytes.size() - i;
    if (left) {
        uint32_t group = bytes[i] << 16 | (left == 2 ? bytes[i + 1] << 8 : 0);
        text += kAlphabet[group >> 18];
        text += kAlphabet[group >> 12 & 63];
        text += left == 2 ? kAlphabet[group >> 6 & 63] : '=';
        text += '=';
    }
    return text;
}

DataUri ParseDataUri(std::string_view uri)
{
    // The scheme's case does not matter (RFC 3986).
    std::string scheme(uri.substr(0, 5));
    for (char& c : scheme)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (scheme != "data:")
        throw Error("the image or sound data is no data: URI");
    size_t comma = uri.find(',');
    if (comma == std::string_view::npos)
        throw Error("a data: URI has no ',' before its data");
    std::string_view header = uri.substr(5, comma - 5);
    std::string_view data = uri.substr(comma + 1);
    bool base64 = false;
    if (header.size() >= 7 && header.substr(header.size() - 7) == ";base64") {
        base64 = true;
        header.remove_suffix(7);
    }
    DataUri result;
    result.content_type = std::string(header.substr(0, header.find(';')));
    result.bytes = base64 ? DecodeBase64(data) : PercentDecode(data);
    return result;
}

std::string MakeDataUri(std::string_view content_type, std::span<const uint8_t> bytes)
{
    return "data:" + std::string(content_type) + ";base64," + EncodeBase64(bytes);
}

} // namespace obf
