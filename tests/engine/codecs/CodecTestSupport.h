#pragma once
// Helpers of the codec tests: the fixture folder and a simulated full disk, beside the shared
// external-tool runner and RGB pictures.

#include "ExternalTools.h"
#include "RgbPicture.h"

#include <sys/resource.h>

#include <csignal>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace gp::test {

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
