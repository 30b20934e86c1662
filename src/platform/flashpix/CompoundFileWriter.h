#pragma once
// Lays out a tree of storages and streams as a compound file (version 3, 512-byte sectors):
// streams under 4096 bytes go to the small-stream container held by the root, the rest to regular
// sectors; siblings form a balanced search tree ordered by name length and then upper-case name;
// the allocation table grows extension sectors when it needs more than 109 sectors.
// Fails with Malformed for a name longer than 31 characters.

#include "CompoundFile.h"
#include "base/Result.h"

namespace gp::cfb {

Result<std::vector<std::uint8_t>> writeCompoundFile(const Node& root);

} // namespace gp::cfb
