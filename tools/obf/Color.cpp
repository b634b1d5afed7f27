// Colours as the board text writes them.
#include "Color.h"

#include "ColorNames.h"
#include "ObfError.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace obf {

namespace {

[[noreturn]] void Refuse(std::string_view text)
{
    throw Error("\"" + std::string(text) +
                "\" is no colour of the form rgb(r, g, b), rgba(r, g, b, a), #rrggbb, #rgb or a CSS colour name");
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// CSS ignores the case of names, functions and hex digits.
std::string Lowered(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// "#rgb", "#rgba", "#rrggbb" or "#rrggbbaa" without its '#', in lower case.
Color ParseHex(std::string_view digits, std::string_view text)
{
    if (digits.size() != 3 && digits.size() != 4 && digits.size() != 6 && digits.size() != 8)
        Refuse(text);
    uint8_t values[8];
    for (size_t i = 0; i < digits.size(); ++i) {
        char c = digits[i];
        if (c >= '0' && c <= '9')
            values[i] = static_cast<uint8_t>(c - '0');
        else if (c >= 'a' && c <= 'f')
            values[i] = static_cast<uint8_t>(c - 'a' + 10);
        else
            Refuse(text);
    }
    // One digit per channel stands for the digit twice: "#f80" is "#ff8800".
    bool shortForm = digits.size() <= 4;
    auto channel = [&](size_t n) {
        return shortForm ? static_cast<uint8_t>(values[n] * 17)
                         : static_cast<uint8_t>(values[2 * n] * 16 + values[2 * n + 1]);
    };
    Color color{channel(0), channel(1), channel(2)};
    if (digits.size() == 4 || digits.size() == 8)
        color.alpha = channel(3);
    return color;
}

// The parts between a function's parentheses, split at commas, each trimmed of spaces;
// the split stops at a fifth part, already one too many.
std::vector<std::string_view> SplitParts(std::string_view body)
{
    std::vector<std::string_view> parts;
    for (;;) {
        size_t comma = body.find(',');
        parts.push_back(Trimmed(body.substr(0, comma)));
        if (comma == std::string_view::npos || parts.size() == 5)
            return parts;
        body.remove_prefix(comma + 1);
    }
}

bool IsPercentage(std::string_view part)
{
    return !part.empty() && part.back() == '%';
}

// A number as CSS writes one here: digits with at most one '.', no sign or exponent.
double ParseNumber(std::string_view part, std::string_view text)
{
    if (part.empty() || part.size() > 16)
        Refuse(text);
    double value = 0, scale = 1;
    bool point = false, digits = false;
    for (char c : part) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (point)
                value += (c - '0') * (scale /= 10);
            else
                value = value * 10 + (c - '0');
        } else {
            Refuse(text);
        }
    }
    if (!digits)
        Refuse(text);
    return value;
}

// A fraction 0..1 scaled to 0..255.
uint8_t Scaled(double fraction, std::string_view text)
{
    if (fraction > 1)
        Refuse(text);
    return static_cast<uint8_t>(std::lround(fraction * 255));
}

// A channel: an integer 0..255, or a percentage 0%..100% of 255 when the colour's
// channels are percentages (CSS does not mix the two).
uint8_t ParseChannel(std::string_view part, bool percentages, std::string_view text)
{
    if (IsPercentage(part) != percentages)
        Refuse(text);
    if (percentages)
        return Scaled(ParseNumber(part.substr(0, part.size() - 1), text) / 100, text);
    if (part.empty() || part.size() > 3)
        Refuse(text);
    int value = 0;
    for (char c : part) {
        if (c < '0' || c > '9')
            Refuse(text);
        value = value * 10 + (c - '0');
    }
    if (value > 255)
        Refuse(text);
    return static_cast<uint8_t>(value);
}

// An opacity: a number 0..1 or a percentage 0%..100%.
uint8_t ParseAlpha(std::string_view part, std::string_view text)
{
    if (IsPercentage(part))
        return Scaled(ParseNumber(part.substr(0, part.size() - 1), text) / 100, text);
    return Scaled(ParseNumber(part, text), text);
}

// "rgb(r, g, b)" or "rgba(r, g, b, a)", in lower case.
Color ParseFunction(std::string_view body, std::string_view text)
{
    bool withAlpha;
    if (body.substr(0, 5) == "rgba(")
        withAlpha = true, body.remove_prefix(5);
    else if (body.substr(0, 4) == "rgb(")
        withAlpha = false, body.remove_prefix(4);
    else
        Refuse(text);
    if (body.empty() || body.back() != ')')
        Refuse(text);
    body.remove_suffix(1);

    std::vector<std::string_view> parts = SplitParts(body);
    if (parts.size() != (withAlpha ? 4u : 3u))
        Refuse(text);
    bool percentages = IsPercentage(parts[0]);
    Color color{ParseChannel(parts[0], percentages, text), ParseChannel(parts[1], percentages, text),
                ParseChannel(parts[2], percentages, text)};
    if (withAlpha)
        color.alpha = ParseAlpha(parts[3], text);
    return color;
}

} // namespace

Color ParseColor(std::string_view text)
{
    std::string body = Lowered(Trimmed(text));
    if (!body.empty() && body.front() == '#')
        return ParseHex(std::string_view(body).substr(1), text);
    if (std::optional<Color> named = FindNamedColor(body))
        return *named;
    return ParseFunction(body, text);
}

std::string FormatColor(const Color& color)
{
    char text[48];
    if (color.alpha == 255)
        std::snprintf(text, sizeof text, "rgb(%d, %d, %d)", color.red, color.green, color.blue);
    else
        std::snprintf(text, sizeof text, "rgba(%d, %d, %d, %.3f)", color.red, color.green,
                      color.blue, color.alpha / 255.0);
    return text;
}

} // namespace obf
