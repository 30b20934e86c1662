#pragma once
// Starts the disk write of a file's bytes while later bytes are still being produced, so the
// durable save's final sync waits only for the last few megabytes instead of the whole file.
// The sync itself is still done by the writer; this only moves work earlier.

#include <cstddef>
#include <cstdint>

namespace gp {

class EarlyWriteback {
public:
    explicit EarlyWriteback(int fd)
        : m_fd(fd)
    {
    }

    // Whether the file's first `end` bytes hold a whole stretch not yet started.
    bool due(std::uint64_t end) const { return m_fd >= 0 && end >= m_started + kStretch; }
    // Tells that the file now holds `end` bytes (flushed to the system); starts writing out what
    // is due. Failures are left to the final sync to report.
    void written(std::uint64_t end);

    static constexpr std::uint64_t kStretch = std::uint64_t(8) << 20;

private:
    int m_fd;
    std::uint64_t m_started = 0;
};

} // namespace gp
