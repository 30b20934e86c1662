#pragma once
// The string table: every text the user sees and every settings key, by numeric id. The texts
// live in one .inc file per subsystem (strings/*.inc) as GP_STRING(Name, id, "text") lines, from
// which both the StringId enumeration and the lookup table are made. Texts that have no id of
// their own take one from their subsystem's private range (60000 and up, see strings/README).

#include <cstdio>
#include <string>
#include <string_view>

namespace gp {

enum class StringId : int {
#define GP_STRING(name, id, text) name = id,
#include "shell/strings/AllStrings.inc"
#undef GP_STRING
};

// The text of an id; empty for an id the table does not hold.
std::string_view text(StringId id);
std::string_view text(int id);
bool hasText(int id);

// printf-style formatting of a table text ("  %ldK, 24-bit RGB Color", "View %d:%d"). The
// arguments must match the conversions of that text.
template <typename... Args>
std::string formatText(StringId id, Args... args)
{
    const std::string format(text(id));
    const int length = std::snprintf(nullptr, 0, format.c_str(), args...);
    if (length <= 0)
        return {};
    std::string result(std::size_t(length) + 1, '\0');
    std::snprintf(result.data(), result.size(), format.c_str(), args...);
    result.resize(std::size_t(length));
    return result;
}

} // namespace gp
