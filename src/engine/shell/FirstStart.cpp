#include "shell/FirstStart.h"

#include "base/AtomicFile.h"

#include <system_error>

namespace gp {

namespace {

// The shipped default is a few kilobytes; anything far larger is not a settings file.
constexpr std::size_t kMaxDefaultSettings = 1 << 20;

} // namespace

bool provideUserFolders(const Paths& paths)
{
    std::error_code ec;
    if (!paths.dataDir.empty())
        std::filesystem::create_directories(paths.dataDir, ec);
    const std::filesystem::path settings = paths.settingsFile();
    if (std::filesystem::exists(settings, ec))
        return true;
    const auto defaults = readWholeFile(paths.asset(settings.filename().string()), kMaxDefaultSettings);
    if (!defaults)
        return false;
    std::filesystem::create_directories(paths.settingsDir, ec);
    if (ec)
        return false;
    return bool(writeFileAtomically(settings, std::span<const std::uint8_t>(*defaults)));
}

} // namespace gp
