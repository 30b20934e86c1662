#pragma once
// The subcommands of glimmerpress-cli, one function each (see CommandLine.cpp's table; the
// photo commands run in glimmerpress-cli itself, the rest in glimmerpress-cli-gui).

#include "CliContext.h"

namespace gp::cli {

int runInfo(CliContext& context);
int runConvert(CliContext& context);
int runEdit(CliContext& context);
int runPrint(CliContext& context);
int runLayouts(CliContext& context);
int runTemplates(CliContext& context);
int runPage(CliContext& context);
int runMatte(CliContext& context);
int runAlbum(CliContext& context);
int runSlideShow(CliContext& context);
int runScan(CliContext& context);
int runMail(CliContext& context);
int runCrop(CliContext& context);
int runFrame(CliContext& context);
int runFrames(CliContext& context);
int runEffect(CliContext& context);
int runEffects(CliContext& context);

} // namespace gp::cli
