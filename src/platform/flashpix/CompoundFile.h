#pragma once
// Shared vocabulary of the compound-file (structured storage) container: class ids, the special
// sector numbers, and the tree of storages and streams the writer takes.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace gp::cfb {

// A class or format id in its stored byte order (the first three fields little-endian).
using ClassId = std::array<std::uint8_t, 16>;

constexpr ClassId makeClassId(std::uint32_t d1, std::uint16_t d2, std::uint16_t d3, std::array<std::uint8_t, 8> d4)
{
    return { std::uint8_t(d1), std::uint8_t(d1 >> 8), std::uint8_t(d1 >> 16), std::uint8_t(d1 >> 24), std::uint8_t(d2),
        std::uint8_t(d2 >> 8), std::uint8_t(d3), std::uint8_t(d3 >> 8), d4[0], d4[1], d4[2], d4[3], d4[4], d4[5], d4[6],
        d4[7] };
}

inline constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
inline constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
inline constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
inline constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
inline constexpr std::uint32_t kNoEntry = 0xFFFFFFFF;
inline constexpr std::size_t kMiniStreamCutoff = 4096;
inline constexpr std::size_t kHeaderDifatEntries = 109;

// A storage (with children) or a stream (with data) to be written.
struct Node {
    std::string name; // UTF-8; at most 31 UTF-16 code units
    bool isStorage = false;
    ClassId classId {};
    std::vector<std::uint8_t> data;
    std::vector<Node> children;

    static Node storage(std::string name, ClassId id, std::vector<Node> children)
    {
        return Node { std::move(name), true, id, {}, std::move(children) };
    }
    static Node stream(std::string name, std::vector<std::uint8_t> data)
    {
        return Node { std::move(name), false, ClassId {}, std::move(data), {} };
    }
};

} // namespace gp::cfb
