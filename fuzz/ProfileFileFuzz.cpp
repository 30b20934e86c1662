// Feeds arbitrary bytes to the settings-file reader and exercises every read path.

#include "shell/ProfileFile.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("glimmer-fuzz-profile-" + std::to_string(getpid()) + ".ini");
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    gp::ProfileFile file(path);
    for (const auto& section : file.sectionNames()) {
        for (const auto& [key, value] : file.readSection(section)) {
            (void)file.readInt(section, key, 0);
            (void)file.readString(section, key, "", 127);
        }
    }
    (void)file.readInt("USER", "GammaR", 1000);
    std::filesystem::remove(path);
    return 0;
}
