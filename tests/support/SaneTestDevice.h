#pragma once
// The SANE test backend for scanner tests: whether the private configuration that
// scripts/test-services.sh sets up (SANE_CONFIG_DIR with only "test" in dll.conf) is there, and
// what scanimage delivers from the same device, as the reference a scan is compared with.

#include "ScopedEnv.h"
#include "TempDir.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace gp::test {

// Empty when the test backend is configured; otherwise why the test must be skipped.
inline std::string saneTestBackendMissing()
{
    const char* dir = std::getenv("SANE_CONFIG_DIR");
    if (!dir || !*dir)
        return "SANE_CONFIG_DIR is not set (scripts/test-services.sh sets up the test backend)";
    std::ifstream conf(std::string(dir) + "/dll.conf");
    std::string line;
    while (std::getline(conf, line))
        if (line == "test")
            return {};
    return "the SANE configuration in SANE_CONFIG_DIR does not enable the test backend";
}

struct Pnm {
    char kind = 0; // '4' bitmap (1 = black), '5' gray, '6' RGB
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> data; // top-down rows, unpadded

    std::size_t rowBytes() const
    {
        return kind == '4' ? (std::size_t(width) + 7) / 8 : std::size_t(width) * (kind == '6' ? 3 : 1);
    }
    const std::uint8_t* row(int y) const { return data.data() + std::size_t(y) * rowBytes(); }
};

// Runs scanimage with the given options ("-d test:0 --mode Color ...") and reads its PNM.
inline std::optional<Pnm> scanimage(const std::string& options)
{
    const std::string command = "scanimage " + options + " --format=pnm 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return std::nullopt;
    std::string bytes;
    char chunk[65536];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
        bytes.append(chunk, n);
    if (pclose(pipe) != 0 || bytes.size() < 2 || bytes[0] != 'P')
        return std::nullopt;
    Pnm pnm;
    pnm.kind = bytes[1];
    std::size_t pos = 2;
    auto number = [&]() -> int {
        for (;;) {
            while (pos < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[pos])))
                ++pos;
            if (pos < bytes.size() && bytes[pos] == '#') {
                while (pos < bytes.size() && bytes[pos] != '\n')
                    ++pos;
                continue;
            }
            break;
        }
        int value = 0;
        while (pos < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[pos])))
            value = value * 10 + (bytes[pos++] - '0');
        return value;
    };
    pnm.width = number();
    pnm.height = number();
    if (pnm.kind != '4')
        number(); // maximum value
    ++pos; // the one white-space byte before the samples
    const std::size_t size = pnm.rowBytes() * std::size_t(pnm.height);
    if (pos + size > bytes.size())
        return std::nullopt;
    pnm.data.assign(bytes.begin() + std::ptrdiff_t(pos), bytes.begin() + std::ptrdiff_t(pos + size));
    return pnm;
}

// Changes test-backend settings ("mode Color", "resolution 100") for the scans that follow, in
// a private copy of SANE_CONFIG_DIR that the manager and scanimage both read. SANE takes the
// folder's name once per process, so there is one copy per process, rewritten each time.
inline void useSaneSettings(const std::vector<std::string>& settings)
{
    static const std::string base = std::getenv("SANE_CONFIG_DIR") ? std::getenv("SANE_CONFIG_DIR") : "";
    static TempDir copy;
    std::string conf;
    std::ifstream in(base + "/test.conf");
    for (std::string line; std::getline(in, line);)
        conf += line + "\n";
    for (const std::string& setting : settings)
        conf += setting + "\n";
    writeFile(copy / "dll.conf", "test\n");
    writeFile(copy / "test.conf", conf);
    setenv("SANE_CONFIG_DIR", copy.path().c_str(), 1);
}

} // namespace gp::test
