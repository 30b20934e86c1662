// Feeds arbitrary bytes to the user-template file reader.

#include "layout/TemplateStore.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("glimmer-fuzz-udf-" + std::to_string(getpid()) + ".udf");
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    gp::TemplateStore store(path);
    if (store.open())
        for (int g = 0; g < store.groupCount(); ++g)
            for (int i = 0; i < store.templateCount(g); ++i)
                (void)store.get(g, i, 8000);
    std::filesystem::remove(path);
    return 0;
}
