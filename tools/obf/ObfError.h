// The one error type of the board package core: every refusal of a board, a manifest
// or a package (bad JSON, wrong types, hostile zip entries, caps exceeded) is thrown
// as obf::Error with a message fit to show the user.
#pragma once

#include <stdexcept>
#include <string>

namespace obf {

class Error : public std::runtime_error
{
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

} // namespace obf
