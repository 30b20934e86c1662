#include "layout/BackgroundCatalog.h"

#include "shell/StringTable.h"

#include <algorithm>

namespace gp {

namespace {

// Far more than any catalogue holds; keeps a hostile count from making us loop for long.
constexpr int kMaxEntries = 1000;

std::string key(StringId format, int n) { return formatText(format, n); }

} // namespace

BackgroundCatalog BackgroundCatalog::read(const ProfileFile& catalogue)
{
    BackgroundCatalog result;
    const std::string section(text(StringId::BackgroundSection));
    const int files = std::clamp(catalogue.readInt(section, text(StringId::BackgroundFilesKey), 0), 0, kMaxEntries);
    for (int n = 1; n <= files; ++n) {
        BackgroundEntry entry;
        entry.number = n;
        entry.name = catalogue.readString(section, key(StringId::BackgroundNameKey, n), "");
        if (entry.name.empty())
            continue;
        entry.portraitFile = catalogue.readString(section, key(StringId::BackgroundPortraitKey, n), "", 259);
        entry.landscapeFile = catalogue.readString(section, key(StringId::BackgroundLandscapeKey, n), "", 259);
        result.m_entries.push_back(std::move(entry));
    }
    return result;
}

std::vector<std::string> BackgroundCatalog::listNames() const
{
    std::vector<std::string> names{std::string(text(StringId::BackgroundNone)),
                                   std::string(text(StringId::BackgroundColor))};
    for (const auto& e : m_entries)
        names.push_back(e.name);
    return names;
}

const BackgroundEntry* BackgroundCatalog::entryAt(int listPosition) const
{
    const int index = listPosition - 2;
    return (index >= 0 && index < int(m_entries.size())) ? &m_entries[std::size_t(index)] : nullptr;
}

} // namespace gp
