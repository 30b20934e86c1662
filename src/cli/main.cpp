// glimmerpress-cli: the program's engine without a window, for batch work, scripts and tests.

#include "CliContext.h"
#include "CliHost.h"
#include "Commands.h"
#include "ErrorReport.h"
#include "app/App.h"

#include <QGuiApplication>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>

namespace gp::cli {

namespace {

struct Subcommand {
    std::string_view summary;
    std::function<int(CliContext&)> run;
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
        {"print", {"print one photo to a PDF or PNG file or a CUPS queue", runPrint}},
        {"layouts", {"list the layouts of a category for a page", runLayouts}},
        {"templates", {"list, add or delete the user's own templates", runTemplates}},
        {"page", {"print a page of photos in a layout", runPage}},
        {"matte", {"print the single-photo matte or calendar page", runMatte}},
        {"album", {"show, make and change albums", runAlbum}},
        {"slideshow", {"render the steps of a slide-show transition", runSlideShow}},
        {"scan", {"acquire one image from a scanner and save it", runScan}},
        {"mail", {"hand a photo file to the mail service", runMail}},
        {"crop", {"crop a photo to a template cell's proportion as the Crop Photo screen does", runCrop}},
        {"frame", {"set a photo into a frame picture through its mask", runFrame}},
        {"frames", {"list the shipped frames", runFrames}},
        {"effect", {"apply one effect of the effects library to a photo", runEffect}},
        {"effects", {"list the effects library's effects", runEffects}},
    };
    return table;
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
int runCommand(int argc, char** argv, int i, const Paths& paths, CliHost& host)
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
    // Qt takes its own options (such as "-reverse") out of the arguments it is given, so it gets
    // only the program's name and the tool's arguments stay whole. Qt keeps a reference to the
    // count for the application's lifetime.
    static int qtArgc = 1;
    static char* qtArgv[] = {argv[0], nullptr};
    std::optional<QGuiApplication> gui;
    if (command->second.needsGui)
        gui.emplace(qtArgc, qtArgv);
    App app(host, paths);
    app.readSettings();
    CliContext context{host, app, {argv + i + 1, argv + argc}};
    return command->second.run(context);
}

} // namespace

int run(int argc, char** argv)
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
    if (!json)
        return runCommand(argc, argv, i, paths, host);
    host.setProgressShown(false);
    int status = kExitFailed;
    std::vector<std::string> lines;
    {
        StderrCapture capture;
        status = runCommand(argc, argv, i, paths, host);
        lines = capture.lines();
    }
    std::cerr << jsonDiagnostics(status, lines, host) << std::flush;
    return status;
}

} // namespace gp::cli

namespace {

// Qt's own warnings (a missing XDG_RUNTIME_DIR, font and platform notes) would fill a batch
// script's log; only critical messages reach stderr.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << message.toLocal8Bit().constData() << '\n';
}

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(quietQtMessages);
    // The commands that start a Qt GUI application never need a display.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return gp::cli::run(argc, argv);
}
