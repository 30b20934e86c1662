#include "app/AlbumSession.h"

#include "album/AlbumFile.h"
#include "app/App.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

#include <algorithm>

namespace gp {

namespace {

bool isBlank(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isspace(c) != 0; });
}

} // namespace

AlbumSession::AlbumSession(App& app)
    : m_app(app)
{
}

AlbumList& AlbumSession::list()
{
    return m_app.albums().open;
}

int AlbumSession::albumCount()
{
    return m_app.albums().registry.count(m_family);
}

std::string AlbumSession::albumName()
{
    return m_index < albumCount() ? m_app.albums().registry.displayName(m_family, m_index) : std::string();
}

std::filesystem::path AlbumSession::albumPath()
{
    return m_index < albumCount() ? m_app.albums().registry.path(m_family, m_index) : std::filesystem::path();
}

void AlbumSession::show(int mode)
{
    close();
    m_mode = mode;
    m_family = albumFamilyForMode(mode);
    AlbumRegistry& registry = m_app.albums().registry;
    if (registry.count(m_family) == 0 && mode == kAlbumScreenMode)
        registry.create(m_family);
    m_index = std::clamp(registry.currentIndex(m_family), 0, std::max(0, registry.count(m_family) - 1));
    load();
    m_shown = true;
}

void AlbumSession::load()
{
    AlbumList& album = list();
    album.clear();
    m_readable = true;
    if (m_index >= albumCount())
        return;
    const std::filesystem::path path = albumPath();
    std::error_code error;
    const bool exists = std::filesystem::exists(path, error);
    if (!loadAlbum(album, path, m_app.paths().programDir, m_app.allocator(), &m_app.statusLine()) && exists
        && album.isEmpty())
        m_readable = false;
}

bool AlbumSession::write()
{
    const std::filesystem::path path = albumPath();
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (saveAlbum(list(), path, m_app.host(), &m_app.statusLine()))
        return true;
    m_app.host().message(text(StringId::CaptionWarning), text(StringId::DiskError), Icon::Warning);
    return false;
}

void AlbumSession::close(const std::string& typedName)
{
    closeShown(typedName);
}

bool AlbumSession::closeShown(const std::string& typedName)
{
    if (!m_shown)
        return false;
    m_shown = false;
    AlbumRegistry& registry = m_app.albums().registry;
    AlbumList& album = list();
    bool entryKept = m_index < albumCount();
    const bool removed = entryKept && m_readable && album.isEmpty() && m_mode == kAlbumScreenMode;
    if (removed) {
        registry.remove(m_family, m_index);
        entryKept = false;
    } else if (entryKept && m_readable && !album.isEmpty() && album.isModified()) {
        write();
    }
    if (entryKept && !isBlank(typedName) && typedName != albumName())
        registry.rename(m_family, m_index, typedName);
    registry.setCurrentIndex(m_family, entryKept ? m_index : std::max(0, m_index - 1));
    album.clear();
    return removed;
}

void AlbumSession::selectAlbum(int index, const std::string& typedName)
{
    const int mode = m_mode;
    const int shownIndex = m_index;
    // Closing may remove the empty album shown, which moves the later entries up.
    if (closeShown(typedName) && index > shownIndex)
        --index;
    AlbumRegistry& registry = m_app.albums().registry;
    if (index >= registry.count(m_family)) {
        registry.create(m_family);
        index = registry.count(m_family) - 1;
    }
    registry.setCurrentIndex(m_family, std::max(0, index));
    show(mode);
}

bool AlbumSession::save()
{
    if (!m_shown || list().isEmpty() || !m_readable || m_index >= albumCount())
        return false;
    return write();
}

void AlbumSession::deleteAlbum()
{
    if (!m_shown)
        return;
    const int mode = m_mode;
    AlbumRegistry& registry = m_app.albums().registry;
    list().clear();
    m_shown = false;
    const int deleted = m_index;
    registry.remove(m_family, deleted);
    const int count = registry.count(m_family);
    registry.setCurrentIndex(m_family, deleted == 0 ? std::max(0, count - 1) : deleted - 1);
    show(mode);
}

bool AlbumSession::rename(const std::string& displayName)
{
    if (m_index >= albumCount() || isBlank(displayName))
        return false;
    return m_app.albums().registry.rename(m_family, m_index, displayName);
}

} // namespace gp
