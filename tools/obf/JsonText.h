// JSON text for the board core: parsing with a cap on nesting, typed access to
// members with messages that name the field, and writing. Private to obfcore.
#pragma once

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <string_view>

namespace obf::json_text {

using Json = nlohmann::json;

// Parses JSON text; throws obf::Error when it is not JSON or nests arrays and objects
// deeper than maxDepth (checked on the text before nlohmann builds anything).
Json Parse(std::string_view text, int maxDepth);

// Dumps a value indented by two spaces; throws obf::Error for text that is not UTF-8.
std::string Dump(const Json& value);

// The member `key` of an object, or null when absent or JSON null.
const Json* Member(const Json& object, const char* key);

// Typed members; `where` names the object for messages ("buttons[2]"). Absent and
// null members give the empty or default value; a member of the wrong type throws.
std::string StringMember(const Json& object, const char* key, const std::string& where);
// An id: a string, or an integer taken as its decimal text. Required: throws when
// absent or empty.
std::string IdMember(const Json& object, const char* key, const std::string& where);
// A whole number in 0..max; absent gives 0.
int CountMember(const Json& object, const char* key, int max, const std::string& where);

// The canonical form of a path from the text (CheckPackagePath); a refusal's message
// starts with `where`.
std::string CheckedPath(const std::string& path, const std::string& where);

// Throws unless the value is an object; `where` names it.
void ExpectObject(const Json& value, const std::string& where);
// The array member `key` (empty when absent or null); throws when it is no array.
const Json& ArrayMember(const Json& object, const char* key, const std::string& where);

} // namespace obf::json_text
