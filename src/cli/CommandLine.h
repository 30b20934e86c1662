#pragma once
// The frame of glimmerpress-cli shared by its two programs: the global options, the table of
// subcommands, the help text, --json reporting and the dispatch to a subcommand.
//
// The photo commands (info, convert, edit) need nothing of the GUI toolkit, whose libraries
// alone would add about 13 MiB to every run's memory. So glimmerpress-cli itself is built
// without them and hands every other command over to its sibling program,
// glimmerpress-cli-gui (same folder, same arguments), which is built with them and starts a
// Qt GUI application for the commands that need one.

#include "CliContext.h"
#include "shell/Paths.h"

#include <functional>
#include <map>
#include <memory>
#include <string_view>

namespace gp::cli {

// The name of the program that runs the commands needing the GUI toolkit.
inline constexpr std::string_view kGuiProgramName = "glimmerpress-cli-gui";

using CommandRunner = int (*)(CliContext&);

// The runners of the commands that need the GUI toolkit, by name; only the GUI program has them.
using GuiRunners = std::map<std::string_view, CommandRunner>;

struct CommandLineProgram {
    GuiRunners guiRunners;
    // Starts what a command needing the GUI runs in (the Qt GUI application) and keeps it alive
    // until the command has ended; empty in the photo program, which hands those commands over.
    std::function<std::shared_ptr<void>()> startGui;
};

// Runs the command line; returns the exit status.
int runCommandLine(int argc, char** argv, const CommandLineProgram& program);

} // namespace gp::cli
