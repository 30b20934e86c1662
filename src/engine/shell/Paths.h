#pragma once
// Where the program's files live. Each folder can be overridden by an environment variable (the
// tests run in temporary folders that way) or by the command-line tool's options.
//   settings folder  GLMPRESS.INI, win.ini           $XDG_CONFIG_HOME/glimmerpress   GLIMMERPRESS_WINDIR
//   program folder   read-only assets                installed share/glimmerpress    GLIMMERPRESS_PROGDIR
//   data folder      albums, photos/, template.udf   $XDG_DATA_HOME/glimmerpress     GLIMMERPRESS_DATADIR
//   library folder   platform libraries              installed lib/glimmerpress      GLIMMERPRESS_LIBDIR
// The installed folders are found beside the running program first (so an installation moved to
// another prefix keeps working), then in the build tree, then where the build installs them.

#include <filesystem>
#include <string_view>

namespace gp {

struct Paths {
    std::filesystem::path settingsDir;
    std::filesystem::path programDir;
    std::filesystem::path dataDir;
    std::filesystem::path libraryDir;

    // The folders from the environment, with the defaults above. builtProgramDir and
    // builtLibraryDir are the build tree's folders, used when the program runs from there.
    static Paths fromEnvironment(const std::filesystem::path& builtProgramDir = {},
                                 const std::filesystem::path& builtLibraryDir = {});
    // The same for a program at executablePath (the running one's when empty).
    static Paths fromEnvironment(const std::filesystem::path& builtProgramDir,
                                 const std::filesystem::path& builtLibraryDir,
                                 const std::filesystem::path& executablePath);

    std::filesystem::path settingsFile() const;  // GLMPRESS.INI
    std::filesystem::path winIniFile() const;    // win.ini
    std::filesystem::path asset(std::string_view relative) const { return programDir / relative; }
    std::filesystem::path data(std::string_view relative) const { return dataDir / relative; }
    std::filesystem::path library(std::string_view fileName) const { return libraryDir / fileName; }
};

// The user's cache folder of the program, $XDG_CACHE_HOME/glimmerpress (~/.cache/glimmerpress):
// files the program can make again, such as thumbnails for dense screens.
std::filesystem::path userCacheDir();

// A name read from a stored file, with "\" taken as a folder separator.
std::filesystem::path storedPath(std::string_view name);

} // namespace gp
