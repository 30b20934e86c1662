#pragma once
// The subcommands of glimmerpress-cli, one function each (see main.cpp's table).

#include "CliContext.h"

namespace gp::cli {

int runInfo(CliContext& context);
int runConvert(CliContext& context);

} // namespace gp::cli
