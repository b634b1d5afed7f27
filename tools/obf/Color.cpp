// Colours as the board text writes them.
#include "Color.h"

#include "ObfError.h"

#include <cmath>
#include <cstdio>

namespace obf {

namespace {

// Reads the parts between the parentheses, each trimmed of spaces.
class ColorParts
{
public:
    explicit ColorParts(std::string_view text) : m_text(text) {}

    bool AtEnd() const { return m_pos >= m_text.size(); }

    std::string_view Next()
    {
        size_t end = m_text.find(',', m_pos);
        if (end == std::string_view::npos)
            end = m_text.size();
        std::string_view part = m_text.substr(m_pos, end - m_pos);
        m_pos = end + 1;
        while (!part.empty() && part.front() == ' ')
            part.remove_prefix(1);
        while (!part.empty() && part.back() == ' ')
            part.remove_suffix(1);
        return part;
    }

private:
    std::string_view m_text;
    size_t m_pos = 0;
};

[[noreturn]] void Refuse(std::string_view text)
{
    throw Error("\"" + std::string(text) + "\" is no colour of the form rgb(r, g, b) or rgba(r, g, b, a)");
}

uint8_t ParseChannel(std::string_view part, std::string_view text)
{
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

// An opacity 0..1 written as digits with at most one '.', scaled to 0..255.
uint8_t ParseAlpha(std::string_view part, std::string_view text)
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
    if (!digits || value > 1)
        Refuse(text);
    return static_cast<uint8_t>(std::lround(value * 255));
}

} // namespace

Color ParseColor(std::string_view text)
{
    std::string_view body = text;
    while (!body.empty() && body.front() == ' ')
        body.remove_prefix(1);
    while (!body.empty() && body.back() == ' ')
        body.remove_suffix(1);
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

    ColorParts parts(body);
    Color color;
    color.red = ParseChannel(parts.Next(), text);
    if (parts.AtEnd())
        Refuse(text);
    color.green = ParseChannel(parts.Next(), text);
    if (parts.AtEnd())
        Refuse(text);
    color.blue = ParseChannel(parts.Next(), text);
    if (withAlpha) {
        if (parts.AtEnd())
            Refuse(text);
        color.alpha = ParseAlpha(parts.Next(), text);
    }
    if (!parts.AtEnd())
        Refuse(text);
    return color;
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
