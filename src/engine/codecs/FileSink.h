#pragma once
// The output file of an image writer: bytes are gathered and written in large pieces, and every
// failure along the way (a short write, a flush or sync that fails on a full disk, a close error)
// is remembered, so the writer can answer a write error instead of success.

#include "base/EarlyWriteback.h"

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace gp {

class FileSink {
public:
    // Creates or truncates the file; isOpen() tells whether that worked.
    explicit FileSink(const std::string& path);
    ~FileSink();
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;

    bool isOpen() const { return m_file != nullptr; }
    void write(std::span<const std::uint8_t> bytes);
    // Writes what is gathered, syncs and closes; true when every byte reached the disk.
    bool finish();

private:
    void flushBuffer();
    void put(const std::uint8_t* bytes, std::size_t size);

    std::FILE* m_file = nullptr;
    std::vector<std::uint8_t> m_buffer;
    std::uint64_t m_bytesOut = 0;
    EarlyWriteback m_writeback;
    bool m_ok = true;
};

} // namespace gp
