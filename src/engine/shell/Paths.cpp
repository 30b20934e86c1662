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

std::filesystem::path firstExisting(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code ec;
    if (!a.empty() && std::filesystem::is_directory(a, ec))
        return a;
    return b.empty() ? a : b;
}

} // namespace

Paths Paths::fromEnvironment(const std::filesystem::path& builtProgramDir, const std::filesystem::path& builtLibraryDir)
{
    Paths p;
    p.settingsDir = environment("GLIMMERPRESS_WINDIR");
    if (p.settingsDir.empty())
        p.settingsDir = xdg("XDG_CONFIG_HOME", ".config") / "glimmerpress";
    p.dataDir = environment("GLIMMERPRESS_DATADIR");
    if (p.dataDir.empty())
        p.dataDir = xdg("XDG_DATA_HOME", ".local/share") / "glimmerpress";
    p.programDir = environment("GLIMMERPRESS_PROGDIR");
    if (p.programDir.empty())
        p.programDir = firstExisting(builtProgramDir, GLIMMERPRESS_INSTALL_DATADIR);
    p.libraryDir = environment("GLIMMERPRESS_LIBDIR");
    if (p.libraryDir.empty())
        p.libraryDir = firstExisting(builtLibraryDir, GLIMMERPRESS_INSTALL_LIBDIR);
    return p;
}

std::filesystem::path Paths::settingsFile() const { return settingsDir / std::string(text(StringId::IniFileName)); }
std::filesystem::path Paths::winIniFile() const { return settingsDir / std::string(text(StringId::WinIniFileName)); }

std::filesystem::path storedPath(std::string_view name)
{
    std::string s(name);
    for (char& c : s)
        if (c == '\\')
            c = '/';
    return s;
}

} // namespace gp
