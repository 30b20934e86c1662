#include "album/AlbumRegistry.h"

#include "shell/ProfileFile.h"
#include "shell/StringTable.h"

#include <algorithm>
#include <cctype>

namespace gp {

namespace {

// The program reads a section whole into a buffer of this many characters.
constexpr std::size_t kSectionBufferChars = 30000;

std::string_view sectionName(AlbumFamily family)
{
    switch (family) {
    case AlbumFamily::Crop: return text(StringId::CropAlbumSection);
    case AlbumFamily::Edit: return text(StringId::EditAlbumSection);
    case AlbumFamily::Frame: return text(StringId::FrameAlbumSection);
    case AlbumFamily::General: break;
    }
    return text(StringId::AlbumSection);
}

constexpr AlbumFamily kFamilies[] = { AlbumFamily::General, AlbumFamily::Crop, AlbumFamily::Edit, AlbumFamily::Frame };

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// The number in front of the first "." of a file name ("album12.abm" gives 12); 0 without one.
int numberBeforeDot(std::string_view name)
{
    const std::size_t dot = name.find('.');
    std::size_t start = dot == std::string_view::npos ? name.size() : dot;
    const std::size_t end = start;
    while (start > 0 && std::isdigit(static_cast<unsigned char>(name[start - 1])) && end - start < 9)
        --start;
    int n = 0;
    for (std::size_t i = start; i < end; ++i)
        n = n * 10 + (name[i] - '0');
    return n;
}

std::string formatKey(int n)
{
    return formatText(StringId::AlbumFileKey, n);
}

} // namespace

AlbumFamily albumFamilyForMode(int mode)
{
    switch (mode) {
    case 2: return AlbumFamily::Crop;
    case 3: return AlbumFamily::Edit;
    case 4: return AlbumFamily::Frame;
    default: return AlbumFamily::General;
    }
}

AlbumRegistry::AlbumRegistry(ProfileFile& settings, std::filesystem::path dataDir)
    : m_settings(&settings)
    , m_dataDir(std::move(dataDir))
{
}

void AlbumRegistry::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    for (const AlbumFamily family : kFamilies) {
        auto& list = m_entries[std::size_t(family)];
        std::size_t used = 0;
        for (const auto& [key, value] : m_settings->readSection(sectionName(family))) {
            std::string line = key + "=" + value;
            used += line.size() + 1;
            if (used > kSectionBufferChars || list.size() >= std::size_t(kMaxAlbumsPerFamily))
                break;
            line.resize(std::min(line.size(), kAlbumEntryChars));
            list.push_back(std::move(line));
        }
    }
}

bool AlbumRegistry::save()
{
    bool ok = true;
    for (const AlbumFamily family : kFamilies)
        ok = m_settings->writeSection(sectionName(family), m_entries[std::size_t(family)]) && ok;
    return ok;
}

std::vector<std::string>& AlbumRegistry::entries(AlbumFamily family)
{
    load();
    return m_entries[std::size_t(family)];
}

int AlbumRegistry::count(AlbumFamily family)
{
    return int(entries(family).size());
}

std::string AlbumRegistry::displayName(AlbumFamily family, int index)
{
    const auto& list = entries(family);
    if (index < 0 || index >= int(list.size()))
        return {};
    const std::string& line = list[std::size_t(index)];
    const std::size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

std::string AlbumRegistry::fileName(AlbumFamily family, int index)
{
    const auto& list = entries(family);
    if (index < 0 || index >= int(list.size()))
        return {};
    const std::string& line = list[std::size_t(index)];
    return line.substr(0, line.find('='));
}

std::filesystem::path AlbumRegistry::folder(AlbumFamily family) const
{
    const std::string_view name = sectionName(family);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(m_dataDir, error)) {
        if (entry.is_directory(error) && equalsIgnoringCase(entry.path().filename().string(), name))
            return entry.path();
    }
    return m_dataDir / name;
}

std::filesystem::path AlbumRegistry::path(AlbumFamily family, int index)
{
    const std::string name = fileName(family, index);
    if (name.empty())
        return {};
    return folder(family) / std::filesystem::path(name).filename();
}

bool AlbumRegistry::rename(AlbumFamily family, int index, const std::string& displayName)
{
    auto& list = entries(family);
    if (index < 0 || index >= int(list.size()))
        return false;
    std::string& line = list[std::size_t(index)];
    line = line.substr(0, line.find('=')) + "=" + displayName;
    line.resize(std::min(line.size(), kAlbumEntryChars));
    return save();
}

std::optional<int> AlbumRegistry::create(AlbumFamily family)
{
    auto& list = entries(family);
    if (list.size() >= std::size_t(kMaxAlbumsPerFamily))
        return std::nullopt;
    int largest = 0;
    for (const std::string& line : list)
        largest = std::max(largest, numberBeforeDot(line.substr(0, line.find('='))));
    const int n = largest + 1;
    std::string line = formatKey(n) + "="
        + formatText(StringId::AlbumDisplayName, std::string(text(StringId::UntitledPrefix)).c_str(), n);
    line.resize(std::min(line.size(), kAlbumEntryChars));
    list.push_back(std::move(line));
    save();
    return n;
}

bool AlbumRegistry::remove(AlbumFamily family, int index)
{
    auto& list = entries(family);
    if (index < 0 || index >= int(list.size()))
        return false;
    std::error_code error;
    std::filesystem::remove(path(family, index), error);
    list.erase(list.begin() + index);
    return save();
}

int AlbumRegistry::currentIndex(AlbumFamily family) const
{
    return std::max(0, m_settings->readInt(text(StringId::AlbumCurrentSection), sectionName(family), 0));
}

bool AlbumRegistry::setCurrentIndex(AlbumFamily family, int index)
{
    return m_settings->writeInt(text(StringId::AlbumCurrentSection), sectionName(family), index);
}

} // namespace gp
