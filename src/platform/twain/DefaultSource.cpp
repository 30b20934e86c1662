#include "DefaultSource.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace gp::twain {

namespace {

constexpr std::size_t kMaxNameLength = 1024;

std::filesystem::path storePath()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config)
        return std::filesystem::path(config) / "glimmerpress" / "twain-source";
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        return {};
    return std::filesystem::path(home) / ".config" / "glimmerpress" / "twain-source";
}

} // namespace

std::optional<std::string> readDefaultSource()
{
    const auto path = storePath();
    if (path.empty())
        return std::nullopt;
    std::ifstream in(path);
    std::string name;
    if (!in || !std::getline(in, name) || name.empty() || name.size() > kMaxNameLength)
        return std::nullopt;
    return name;
}

bool writeDefaultSource(const std::string& name)
{
    const auto path = storePath();
    if (path.empty() || name.empty() || name.size() > kMaxNameLength || name.find('\n') != std::string::npos)
        return false;
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    auto temporary = path;
    temporary += ".tmp" + std::to_string(getpid());
    {
        std::ofstream out(temporary, std::ios::trunc);
        if (!(out << name << '\n') || !out.flush())
            return false;
    }
    std::filesystem::rename(temporary, path, ec);
    if (!ec)
        return true;
    std::filesystem::remove(temporary, ec);
    return false;
}

} // namespace gp::twain
