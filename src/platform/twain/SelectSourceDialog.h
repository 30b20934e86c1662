#pragma once
// The manager's Select Source dialog: the list of sources with the current default selected.

#include <optional>
#include <string>
#include <vector>

namespace gp::twain {

// The name the user chose; nothing when cancelled or when the program has no widgets to show.
std::optional<std::string> chooseSource(
    const std::vector<std::string>& names, const std::string& current, void* parent);

} // namespace gp::twain
