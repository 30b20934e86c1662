#pragma once
// The frame's command table: the image types each command accepts, whether a refusal beeps, and
// where a command goes after it ran. Adjustments, filters and effects beep when the active
// document has the wrong type; the colour conversions and stitch refuse silently.

#include "app/CommandDispatcher.h"
#include "shell/CommandIds.h"

#include <optional>

namespace gp {

struct CommandGate {
    TypeGate gate;
    GateFailure onFailure = GateFailure::Beep;
};

// The gate of the command table, or nothing for a command that accepts any state.
std::optional<CommandGate> commandGate(int id);

// The id ranges of the command table: ids below the menu commands (the first is Open) are
// finished by the frame; the menu commands refresh the active document's status panes afterwards;
// the ids from the document window's first command on belong to the active document window.
inline constexpr int kFirstMenuCommand = command::Open;
inline constexpr int kFirstDocumentCommand = 800;

enum class CommandRoute { Frame, FrameWithStatus, Document };
inline CommandRoute commandRoute(int id)
{
    if (id < kFirstMenuCommand)
        return CommandRoute::Frame;
    return id < kFirstDocumentCommand ? CommandRoute::FrameWithStatus : CommandRoute::Document;
}

} // namespace gp
