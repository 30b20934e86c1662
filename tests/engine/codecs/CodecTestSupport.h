#pragma once
// Helpers of the codec tests: running the independent tools that make and judge test files,
// reading their PPM/PGM output, and looking at an image's pixels as RGB.

#include "image/Image.h"

#include <sys/resource.h>

#include <csignal>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace gp::test {

// Runs a shell command; true when it exits with status 0.
bool runTool(const std::string& command);
// True when the program is on the PATH.
bool haveTool(const std::string& program);

struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; // top-down rows, 3 bytes a pixel (gray expanded)
    const std::uint8_t* at(int x, int y) const { return rgb.data() + (std::size_t(y) * width + x) * 3; }
};

// Reads a binary PPM (P6) or PGM (P5) file with a maximum value of 255.
std::optional<RgbPicture> readNetpbm(const std::filesystem::path& path);
// Converts any picture ImageMagick reads into an RGB picture.
std::optional<RgbPicture> decodeWithImageMagick(
    const std::filesystem::path& path, const std::filesystem::path& workDir);
// The image's pixels as RGB through its colour table, top row first.
RgbPicture toRgb(const Image& image);

// Number of channel values that differ by more than tolerance.
int countDifferences(const RgbPicture& a, const RgbPicture& b, int tolerance = 0);

std::filesystem::path fixture(const std::string& relative);

// Makes every write beyond `bytes` fail with EFBIG, as a full disk would, for one scope.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limited = m_saved;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved {};
};

} // namespace gp::test
