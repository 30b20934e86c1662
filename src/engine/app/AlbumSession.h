#pragma once
// The album that an album window shows, and its life cycle: showing a family's current album
// (the album screen creates an "Untitled-N" album when its family has none), switching to
// another album or a new one, saving, and closing. Closing saves a changed album without
// asking and writes the family's current index to "ALBUMCUR". An album left empty disappears
// (entry and file). A non-empty album that cannot be written keeps its file and entry and the
// user hears "Insufficient disk space or disk error.", so no photo list is ever lost; an album
// whose file could not be read is never written over nor deleted.

#include "album/AlbumRegistry.h"

#include <filesystem>
#include <string>

namespace gp {

class AlbumList;
class App;

// The album window's screen modes: the album screen and the crop, edit and frame strips.
inline constexpr int kAlbumScreenMode = 1;

class AlbumSession {
public:
    explicit AlbumSession(App& app);

    // Closes what is shown and shows the family's current album for the mode.
    void show(int mode);
    // Saves (on the album screen, a changed album; an empty one is removed), takes typedName
    // (when not blank) as the album's display name, stores the current index and frees the list.
    void close(const std::string& typedName = {});
    // Closes and shows album index of the family; the index after the last creates a new album.
    void selectAlbum(int index, const std::string& typedName = {});
    // The toolbar's Save: false (and the disk-error message) when a non-empty album could not be
    // written; an empty album is not written.
    bool save();
    // Deletes the shown album (entry and file) and shows the previous one, or the last when the
    // first was deleted; the album screen creates a new one when none is left.
    void deleteAlbum();
    // Renames the shown album's registry entry.
    bool rename(const std::string& displayName);

    bool isShown() const { return m_shown; }
    int mode() const { return m_mode; }
    AlbumFamily family() const { return m_family; }
    int albumIndex() const { return m_index; }
    int albumCount();
    std::string albumName();
    std::filesystem::path albumPath();
    // False when the album file exists but could not be read at all.
    bool isReadable() const { return m_readable; }
    AlbumList& list();

private:
    void load();
    bool write();
    // close(); true when the shown album was removed for being empty.
    bool closeShown(const std::string& typedName);

    App& m_app;
    bool m_shown = false;
    int m_mode = kAlbumScreenMode;
    AlbumFamily m_family = AlbumFamily::General;
    int m_index = 0;
    bool m_readable = true;
};

} // namespace gp
