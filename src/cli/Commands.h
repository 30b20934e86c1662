#pragma once
// The subcommands of glimmerpress-cli, one function per file.

#include "CliContext.h"

namespace gp::cli {

int runAlbum(CliContext& context);
int runSlideShow(CliContext& context);

} // namespace gp::cli
