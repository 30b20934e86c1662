#include "shell/Paths.h"

#include "shell/StringTable.h"

#include <cstdlib>
#include <string>

namespace gp {

namespace {

std::filesystem::path environment(const char* name)
{
    const char* value = std::getenv(name);
    return (value && *value) ? std::filesystem::path(value) : std::filesystem::path();
}

std::filesystem::path home() { return environment("HOME"); }

std::filesystem::path xdg(const char* name, const char* fallback)
{
    auto dir = environment(name);
    return dir.empty() ? home() / fallback : dir;
}

bool isFolder(const std::filesystem::path& dir)
{
    std::error_code ec;
    return !dir.empty() && std::filesystem::is_directory(dir, ec);
}

// The first of the candidates that is a folder; the last one when none is.
std::filesystem::path firstExisting(std::initializer_list<std::filesystem::path> candidates)
{
    std::filesystem::path last;
    for (const auto& dir : candidates) {
        if (isFolder(dir))
            return dir;
        if (!dir.empty())
            last = dir;
    }
    return last;
}

// The installed folder at `relative` from the folder of the executable, or nothing.
std::filesystem::path besideExecutable(const std::filesystem::path& executable, const char* relative)
{
    if (executable.empty())
        return {};
    return (executable.parent_path() / relative).lexically_normal();
}

std::filesystem::path runningExecutable()
{
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : path;
}

} // namespace

Paths Paths::fromEnvironment(const std::filesystem::path& builtProgramDir, const std::filesystem::path& builtLibraryDir)
{
    return fromEnvironment(builtProgramDir, builtLibraryDir, runningExecutable());
}

Paths Paths::fromEnvironment(const std::filesystem::path& builtProgramDir, const std::filesystem::path& builtLibraryDir,
                             const std::filesystem::path& executablePath)
{
    const std::filesystem::path executable = executablePath.empty() ? runningExecutable() : executablePath;
    Paths p;
    p.settingsDir = environment("GLIMMERPRESS_WINDIR");
    if (p.settingsDir.empty())
        p.settingsDir = xdg("XDG_CONFIG_HOME", ".config") / "glimmerpress";
    p.dataDir = environment("GLIMMERPRESS_DATADIR");
    if (p.dataDir.empty())
        p.dataDir = xdg("XDG_DATA_HOME", ".local/share") / "glimmerpress";
    p.programDir = environment("GLIMMERPRESS_PROGDIR");
    if (p.programDir.empty())
        p.programDir = firstExisting({besideExecutable(executable, GLIMMERPRESS_DATADIR_FROM_BINDIR), builtProgramDir,
                                      GLIMMERPRESS_INSTALL_DATADIR});
    p.libraryDir = environment("GLIMMERPRESS_LIBDIR");
    if (p.libraryDir.empty())
        p.libraryDir = firstExisting({besideExecutable(executable, GLIMMERPRESS_LIBDIR_FROM_BINDIR), builtLibraryDir,
                                      GLIMMERPRESS_INSTALL_LIBDIR});
    return p;
}

std::filesystem::path Paths::settingsFile() const { return settingsDir / std::string(text(StringId::IniFileName)); }
std::filesystem::path Paths::winIniFile() const { return settingsDir / std::string(text(StringId::WinIniFileName)); }

std::filesystem::path userCacheDir()
{
    return xdg("XDG_CACHE_HOME", ".cache") / "glimmerpress";
}

std::filesystem::path storedPath(std::string_view name)
{
    std::string s(name);
    for (char& c : s)
        if (c == '\\')
            c = '/';
    return s;
}

} // namespace gp
