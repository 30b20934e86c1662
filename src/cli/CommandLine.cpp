#include "CommandLine.h"

#include "CliHost.h"
#include "Commands.h"
#include "ErrorReport.h"
#include "app/App.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace gp::cli {

namespace {

struct Subcommand {
    std::string_view summary;
    // The photo commands' own runner; the others' comes from the GUI program.
    CommandRunner run = nullptr;
    // Fonts, text measurement and the raster and PDF print devices need a Qt GUI application;
    // the photo commands do without, and so skip its start-up (the font configuration above
    // all) and its memory.
    bool needsGui = true;
};

// One line per subcommand as the features arrive.
const std::map<std::string_view, Subcommand>& subcommands()
{
    static const std::map<std::string_view, Subcommand> table = {
        {"info", {"print a photo file's image as the reader returns it", runInfo, false}},
        {"convert", {"open a photo and save it in another file format", runConvert, false}},
        {"edit", {"open a photo, apply editing operations and save it", runEdit, false}},
        {"print", {"print one photo to a PDF or PNG file or a CUPS queue"}},
        {"layouts", {"list the layouts of a category for a page"}},
        {"templates", {"list, add or delete the user's own templates"}},
        {"page", {"print a page of photos in a layout"}},
        {"matte", {"print the single-photo matte or calendar page"}},
        {"album", {"show, make and change albums"}},
        {"slideshow", {"render the steps of a slide-show transition"}},
        {"scan", {"acquire one image from a scanner and save it"}},
        {"mail", {"hand a photo file to the mail service"}},
        {"crop", {"crop a photo to a template cell's proportion as the Crop Photo screen does"}},
        {"frame", {"set a photo into a frame picture through its mask"}},
        {"frames", {"list the shipped frames"}},
        {"effect", {"apply one effect of the effects library to a photo"}},
        {"effects", {"list the effects library's effects"}},
    };
    return table;
}

// Replaces this process by the GUI program (next to this one) with the same arguments; returns
// only when that program cannot be started.
int handOver(char** argv)
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path folder = error ? std::filesystem::path(argv[0]).parent_path() : self.parent_path();
    std::string program = (folder / kGuiProgramName).string();
    std::vector<char*> arguments { program.data() };
    for (char** argument = argv + 1; *argument; ++argument)
        arguments.push_back(*argument);
    arguments.push_back(nullptr);
    std::cout.flush();
    ::execv(program.c_str(), arguments.data());
    std::cerr << "glimmerpress-cli: cannot start " << program << ": " << std::strerror(errno) << '\n';
    return kExitFailed;
}

void printHelp(std::ostream& out)
{
    out << "usage: glimmerpress-cli [--settings-dir D] [--program-dir D] [--data-dir D] [--yes|--no] [--json] COMMAND ARGS...\n"
           "\n"
           "Runs Glimmerpress's engine without a window. Options:\n"
           "  --settings-dir D  folder of GLMPRESS.INI and win.ini\n"
           "  --program-dir D   folder of the program's read-only assets\n"
           "  --data-dir D      folder of albums, photos and user templates\n"
           "  --yes, --no       the answer to every question the program asks\n"
           "  --json            report errors and messages on stderr as JSON objects, one a line:\n"
           "                    {\"error\":..., \"status\":N} when the command fails\n"
           "  --help            this text; COMMAND --help describes a command\n"
           "\n"
           "Commands:\n";
    for (const auto& [name, command] : subcommands())
        out << "  " << name << "  " << command.summary << '\n';
    out << "\nExit status: 0 success, 1 the operation failed, 2 usage error.\n";
}

} // namespace

int usageError(std::string_view usage)
{
    std::cerr << "usage: glimmerpress-cli " << usage << '\n';
    return kExitUsage;
}

namespace {

// The command after the global options; with --json its stderr is held back and reported as JSON.
int runCommand(int argc, char** argv, int i, const Paths& paths, CliHost& host, const CommandLineProgram& program)
{
    if (i >= argc) {
        printHelp(std::cerr);
        return kExitUsage;
    }
    const auto& table = subcommands();
    auto command = table.find(argv[i]);
    if (command == table.end()) {
        std::cerr << "glimmerpress-cli: unknown command '" << argv[i] << "'\n";
        printHelp(std::cerr);
        return kExitUsage;
    }
    CommandRunner run = command->second.run;
    std::shared_ptr<void> gui;
    if (command->second.needsGui) {
        const auto runner = program.guiRunners.find(command->first);
        if (runner == program.guiRunners.end() || !program.startGui) {
            std::cerr << "glimmerpress-cli: '" << command->first << "' is not part of this program\n";
            return kExitFailed;
        }
        run = runner->second;
        gui = program.startGui();
    }
    App app(host, paths);
    app.readSettings();
    CliContext context{host, app, {argv + i + 1, argv + argc}};
    return run(context);
}

} // namespace

int runCommandLine(int argc, char** argv, const CommandLineProgram& program)
{
    Paths paths = Paths::fromEnvironment(GLIMMER_BUILD_DATADIR, GLIMMER_BUILD_LIBDIR);
    CliHost host;
    bool json = false;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto folder = [&](std::filesystem::path& target) {
            if (i + 1 >= argc)
                return false;
            target = argv[++i];
            return true;
        };
        if (arg == "--help" || arg == "-h") {
            printHelp(std::cout);
            return kExitOk;
        } else if (arg == "--settings-dir") {
            if (!folder(paths.settingsDir))
                return usageError("--settings-dir DIR ...");
        } else if (arg == "--program-dir") {
            if (!folder(paths.programDir))
                return usageError("--program-dir DIR ...");
        } else if (arg == "--data-dir") {
            if (!folder(paths.dataDir))
                return usageError("--data-dir DIR ...");
        } else if (arg == "--yes" || arg == "--no") {
            host.setAnswer(arg == "--yes");
        } else if (arg == "--json") {
            json = true;
        } else {
            break;
        }
    }
    // A command the photo program cannot run goes to the GUI program before anything is
    // captured or started, so that program reports exactly as it would have when run itself.
    if (i < argc && !program.startGui) {
        const auto command = subcommands().find(argv[i]);
        if (command != subcommands().end() && command->second.needsGui)
            return handOver(argv);
    }
    if (!json)
        return runCommand(argc, argv, i, paths, host, program);
    host.setProgressShown(false);
    int status = kExitFailed;
    std::vector<std::string> lines;
    {
        StderrCapture capture;
        status = runCommand(argc, argv, i, paths, host, program);
        lines = capture.lines();
    }
    std::cerr << jsonDiagnostics(status, lines, host) << std::flush;
    return status;
}

} // namespace gp::cli
