// The one error type of the board package core: every refusal of a board, a manifest
// or a package (bad JSON, wrong types, hostile zip entries, caps exceeded) is thrown
// as obf::Error with a message fit to show the user. Messages quote names and text
// from the input, which may hold any byte: control characters show as '?'.
#pragma once

#include <stdexcept>
#include <string>

namespace obf {

class Error : public std::runtime_error
{
public:
    explicit Error(const std::string& message) : std::runtime_error(Printable(message)) {}

private:
    static std::string Printable(std::string message)
    {
        for (char& c : message)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
                c = '?';
        return message;
    }
};

} // namespace obf
