#pragma once
// The help-pane hint of each button of the frame's bar, by button id; nothing for the areas and
// for ids without a hint.

#include "shell/StringTable.h"

#include <optional>

namespace gp::ui {

std::optional<StringId> buttonHint(int buttonId);

} // namespace gp::ui
