#pragma once
// The frame's command table: the image types each command accepts, whether a refusal beeps, and
// where a command goes after it ran. Adjustments, filters and effects beep when the active
// document has the wrong type; the colour conversions and stitch refuse silently.

#include "app/CommandDispatcher.h"

#include <optional>

namespace gp {

struct CommandGate {
    TypeGate gate;
    GateFailure onFailure = GateFailure::Beep;
};

// The gate of the command table, or nothing for a command that accepts any state.
std::optional<CommandGate> commandGate(int id);

// Ids below 101 are finished by the frame; 101..799 refresh the active document's status panes
// afterwards; 800 and above belong to the active document window.
enum class CommandRoute { Frame, FrameWithStatus, Document };
inline CommandRoute commandRoute(int id)
{
    if (id < 101)
        return CommandRoute::Frame;
    return id < 800 ? CommandRoute::FrameWithStatus : CommandRoute::Document;
}

} // namespace gp
