// JSON parsing with a nesting cap, typed member access, and dumping.
#include "JsonText.h"

#include "ObfError.h"
#include "PackagePath.h"

namespace obf::json_text {

namespace {

// Walks the text outside strings counting open brackets, so that deeply nested text is
// refused before nlohmann builds a value of that depth (copying and comparing such a
// value recurse once per level). A closer without an opener cannot lower the count
// below zero: nlohmann refuses that text anyway.
void CheckDepth(std::string_view text, int maxDepth)
{
    int depth = 0;
    bool inString = false, escaped = false;
    for (char c : text) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > maxDepth)
                throw Error("the JSON nests deeper than " + std::to_string(maxDepth) + " levels");
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
}

const char* TypeName(const Json& value)
{
    return value.type_name();
}

} // namespace

Json Parse(std::string_view text, int maxDepth)
{
    CheckDepth(text, maxDepth);
    try {
        return Json::parse(text.begin(), text.end());
    } catch (const Json::exception& e) {
        throw Error(std::string("the text is no valid JSON: ") + e.what());
    }
}

std::string Dump(const Json& value)
{
    try {
        return value.dump(2) + "\n";
    } catch (const Json::exception& e) {
        throw Error(std::string("the board could not be written: ") + e.what());
    }
}

const Json* Member(const Json& object, const char* key)
{
    auto found = object.find(key);
    return found == object.end() || found->is_null() ? nullptr : &*found;
}

std::string StringMember(const Json& object, const char* key, const std::string& where)
{
    const Json* value = Member(object, key);
    if (!value)
        return {};
    if (!value->is_string())
        throw Error(where + "." + key + " must be a string, not " + TypeName(*value));
    return value->get<std::string>();
}

std::string IdMember(const Json& object, const char* key, const std::string& where)
{
    const Json* value = Member(object, key);
    std::string id;
    if (!value)
        throw Error(where + " has no " + key);
    if (value->is_string())
        id = value->get<std::string>();
    else if (value->is_number_integer())
        id = value->dump();
    else
        throw Error(where + "." + key + " must be a string, not " + TypeName(*value));
    if (id.empty())
        throw Error(where + "." + key + " is empty");
    return id;
}

int CountMember(const Json& object, const char* key, int max, const std::string& where)
{
    const Json* value = Member(object, key);
    if (!value)
        return 0;
    if (!value->is_number_integer())
        throw Error(where + "." + key + " must be a whole number, not " + TypeName(*value));
    if (value->is_number_unsigned() ? value->get<uint64_t>() > uint64_t(max)
                                    : value->get<int64_t>() < 0 || value->get<int64_t>() > max)
        throw Error(where + "." + key + " must lie in 0.." + std::to_string(max) + ", not " +
                    value->dump());
    return static_cast<int>(value->get<int64_t>());
}

std::string CheckedPath(const std::string& path, const std::string& where)
{
    try {
        return CheckPackagePath(path);
    } catch (const Error& e) {
        throw Error(where + ": " + e.what());
    }
}

void ExpectObject(const Json& value, const std::string& where)
{
    if (!value.is_object())
        throw Error(where + " must be an object, not " + TypeName(value));
}

const Json& ArrayMember(const Json& object, const char* key, const std::string& where)
{
    static const Json empty = Json::array();
    const Json* value = Member(object, key);
    if (!value)
        return empty;
    if (!value->is_array())
        throw Error(where + "." + key + " must be an array, not " + TypeName(*value));
    return *value;
}

} // namespace obf::json_text
