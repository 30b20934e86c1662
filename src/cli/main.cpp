// glimmerpress-cli-gui: the command-line program with the GUI toolkit, which runs the commands
// that print, lay out pages, show albums and slide shows (glimmerpress-cli hands them over) as
// well as the photo commands.

#include "CommandLine.h"
#include "Commands.h"

#include <QGuiApplication>
#include <cstdlib>
#include <iostream>

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
    using namespace gp::cli;
    qInstallMessageHandler(quietQtMessages);
    // The commands that start a Qt GUI application never need a display.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    CommandLineProgram program;
    program.guiRunners = {
        {"print", runPrint},
        {"layouts", runLayouts},
        {"templates", runTemplates},
        {"page", runPage},
        {"matte", runMatte},
        {"album", runAlbum},
        {"slideshow", runSlideShow},
        {"scan", runScan},
        {"mail", runMail},
        {"crop", runCrop},
        {"frame", runFrame},
        {"frames", runFrames},
        {"effect", runEffect},
        {"effects", runEffects},
    };
    // Qt takes its own options (such as "-reverse") out of the arguments it is given, so it gets
    // only the program's name and the tool's arguments stay whole. Qt keeps a reference to the
    // count for the application's lifetime.
    static int qtArgc = 1;
    static char* qtArgv[] = {argv[0], nullptr};
    program.startGui = [] { return std::make_shared<QGuiApplication>(qtArgc, qtArgv); };
    return runCommandLine(argc, argv, program);
}
