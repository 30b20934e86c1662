#pragma once
// Reads a compound file held in memory: the header, the sector allocation table (with its chained
// extension sectors), the directory, and the small-stream container. Every sector number, chain
// and size is checked against the file, so chains that loop or leave the file, directory trees
// that loop and sizes beyond the data give Malformed or Truncated instead of a crash or a hang.

#include "CompoundFile.h"
#include "base/Result.h"

#include <optional>
#include <span>
#include <string_view>

namespace gp::cfb {

struct DirectoryEntry {
    std::string name; // UTF-8
    int type = 0; // 1 storage, 2 stream, 5 root
    std::uint32_t left = kNoEntry, right = kNoEntry, child = kNoEntry;
    ClassId classId {};
    std::uint32_t start = kEndOfChain;
    std::uint64_t size = 0;
};

class CompoundFileReader {
public:
    // Parses the container; the bytes must outlive the reader.
    static Result<CompoundFileReader> open(std::span<const std::uint8_t> file);

    std::uint32_t rootId() const { return 0; }
    const DirectoryEntry& entry(std::uint32_t id) const { return m_entries[id]; }
    // The child of a storage with the given name (compared without regard to ASCII case).
    std::optional<std::uint32_t> findChild(std::uint32_t storage, std::string_view name) const;
    // The whole content of a stream.
    Result<std::vector<std::uint8_t>> readStream(std::uint32_t id) const;

private:
    Result<std::vector<std::uint32_t>> chain(const std::vector<std::uint32_t>& table, std::uint32_t start) const;
    Result<std::vector<std::uint8_t>> readChain(std::uint32_t start, std::uint64_t size) const;
    Result<void> readFat(std::uint32_t fatSectors, std::uint32_t firstDifat, std::uint32_t difatSectors);
    Result<void> readDirectory(std::uint32_t firstSector);
    Result<void> readMiniStream(std::uint32_t firstMiniFat, std::uint32_t miniFatSectors);
    std::span<const std::uint8_t> sector(std::uint32_t index) const;

    std::span<const std::uint8_t> m_file;
    std::size_t m_sectorSize = 512;
    std::uint32_t m_sectorCount = 0;
    std::vector<std::uint32_t> m_fat;
    std::vector<std::uint32_t> m_miniFat;
    std::vector<std::uint8_t> m_miniStream;
    std::vector<DirectoryEntry> m_entries;
};

} // namespace gp::cfb
