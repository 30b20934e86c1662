#pragma once
// Writes a whole file so that a crash or a failed write leaves either the old file or the new
// one: the bytes go to a temporary file beside the target, are flushed, and then replace it.

#include "base/Result.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace gp {

Result<void> writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
Result<void> writeFileAtomically(const std::filesystem::path& path, std::string_view text);

// The same, writing pieces of at most pieceSize bytes; beforePiece(bytes written so far) is
// asked before each piece and stops the write (leaving the old file) when it returns false.
using WritePieceTest = std::function<bool(std::size_t written)>;
Result<void> writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
    std::size_t pieceSize, const WritePieceTest& beforePiece);

// Reads a whole file, refusing one larger than maxBytes.
Result<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& path, std::size_t maxBytes);

} // namespace gp
