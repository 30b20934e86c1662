#pragma once
// The albums known to the program, kept in GLMPRESS.INI in four families: the album window's
// ("ALBUMS"), and the photo strips of the crop ("CRPALBUM"), edit ("EDALBUM") and frame
// ("FRMALBUM") screens. Each family's section holds up to 100 lines "albumN.abm=display name"
// (at most 63 characters each); its album files live in the data folder's subfolder of the
// same name. Section "ALBUMCUR" keeps each family's current album. The sections are read once,
// on first use, and all four are written back after every change.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace gp {

class ProfileFile;

enum class AlbumFamily { General = 0, Crop = 1, Edit = 2, Frame = 3 };

inline constexpr int kMaxAlbumsPerFamily = 100;
inline constexpr std::size_t kAlbumEntryChars = 63;

// The family of an album window mode: 2, 3 and 4 are the crop, edit and frame strips.
AlbumFamily albumFamilyForMode(int mode);

class AlbumRegistry {
public:
    AlbumRegistry(ProfileFile& settings, std::filesystem::path dataDir);

    int count(AlbumFamily family);
    // The text after "=" of entry index.
    std::string displayName(AlbumFamily family, int index);
    // The album file name, the text before "=".
    std::string fileName(AlbumFamily family, int index);
    std::filesystem::path path(AlbumFamily family, int index);
    // The family's folder: an existing folder whose name matches the section's without regard
    // to case, else one of the section's name.
    std::filesystem::path folder(AlbumFamily family) const;

    bool rename(AlbumFamily family, int index, const std::string& displayName);
    // Registers "albumN.abm=Untitled-N" with N one above the largest number in the family's
    // file names; returns N, or nothing when the family holds 100 albums already.
    std::optional<int> create(AlbumFamily family);
    // Deletes the album file and its line; the later lines move up.
    bool remove(AlbumFamily family, int index);

    int currentIndex(AlbumFamily family) const;
    bool setCurrentIndex(AlbumFamily family, int index);

private:
    void load();
    bool save();
    std::vector<std::string>& entries(AlbumFamily family);

    ProfileFile* m_settings;
    std::filesystem::path m_dataDir;
    bool m_loaded = false;
    std::array<std::vector<std::string>, 4> m_entries;
};

} // namespace gp
