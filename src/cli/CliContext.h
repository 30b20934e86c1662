#pragma once
// What every subcommand gets: the program state built for this run and its arguments.

#include "CliHost.h"
#include "app/App.h"

#include <string>
#include <vector>

namespace gp::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct CliContext {
    CliHost& host;
    App& app;
    std::vector<std::string> args; // after the subcommand's name
};

// Prints "usage: glimmerpress-cli USAGE" on stderr and returns the usage exit status.
int usageError(std::string_view usage);

} // namespace gp::cli
