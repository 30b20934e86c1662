#pragma once
// The user's default source, kept between runs in $XDG_CONFIG_HOME/glimmerpress/twain-source
// (~/.config when the variable is unset): one line with the device name.

#include <optional>
#include <string>

namespace gp::twain {

std::optional<std::string> readDefaultSource();
// Replaces the stored name through a temporary file, so a crash leaves the old name or the new.
bool writeDefaultSource(const std::string& name);

} // namespace gp::twain
