#include "shell/StringTable.h"

#include <algorithm>
#include <array>

namespace gp {

namespace {

struct Entry {
    int id = 0;
    std::string_view text;
};

constexpr Entry kTable[] = {
#define GP_STRING(name, id, text) Entry{id, text},
#include "shell/strings/AllStrings.inc"
#undef GP_STRING
};

// The table sorted by id, for binary search.
constexpr auto kEntries = [] {
    std::array<Entry, std::size(kTable)> entries{};
    std::copy(std::begin(kTable), std::end(kTable), entries.begin());
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.id < b.id; });
    return entries;
}();

const Entry* find(int id)
{
    auto it = std::lower_bound(kEntries.begin(), kEntries.end(), id,
                               [](const Entry& e, int wanted) { return e.id < wanted; });
    return (it != kEntries.end() && it->id == id) ? &*it : nullptr;
}

} // namespace

std::string_view text(int id)
{
    const Entry* e = find(id);
    return e ? e->text : std::string_view{};
}

std::string_view text(StringId id) { return text(static_cast<int>(id)); }

bool hasText(int id) { return find(id) != nullptr; }

} // namespace gp
