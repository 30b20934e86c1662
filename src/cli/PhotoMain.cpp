// glimmerpress-cli: the program's engine without a window, for batch work, scripts and tests.
// This program runs the photo commands itself, without the GUI toolkit's libraries, and hands
// every other command over to glimmerpress-cli-gui.

#include "CommandLine.h"

int main(int argc, char** argv)
{
    return gp::cli::runCommandLine(argc, argv, gp::cli::CommandLineProgram {});
}
