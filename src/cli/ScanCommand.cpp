// glimmerpress-cli scan [--source NAME] OUT: acquires one image through the scanner source
// manager, without the source's dialog, and saves the new document as OUT.

#include "Commands.h"
#include "app/SaveCommands.h"
#include "codecs/SafeSave.h"
#include "image/Document.h"

#include <chrono>
#include <iostream>
#include <thread>

namespace gp::cli {

namespace {

constexpr std::string_view kUsage = "scan [--source NAME] OUT";
// How long the event loop waits for the source's image before giving up.
constexpr int kPollRounds = 1000;
constexpr auto kPollPause = std::chrono::milliseconds(10);

} // namespace

int runScan(CliContext& context)
{
    const auto& args = context.args;
    if (args.size() == 1 && args[0] == "--help") {
        std::cout << "usage: glimmerpress-cli " << kUsage
                  << "\n\nScans one image with the default source (or the SANE device NAME, e.g. test:0) at the\n"
                     "source's current settings, makes it a document as Acquire does, and saves it as OUT\n"
                     "with the writer OUT's extension selects. MemoryScan in GLMPRESS.INI chooses memory\n"
                     "transfer.\n";
        return kExitOk;
    }
    std::string source;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--source") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                return usageError(kUsage);
            source = args[++i];
        } else if (args[i].starts_with("--")) {
            return usageError(kUsage);
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 1)
        return usageError(kUsage);

    App& app = context.app;
    Acquisition& acquisition = app.acquisition();
    acquisition.setShowUserInterface(false);
    acquisition.setMultiScan(false);
    acquisition.setSourceName(source);
    acquisition.acquire();
    // The program's message loop, as a poll: the source has its image ready at once.
    for (int round = 0; round < kPollRounds && acquisition.sourceOpen(); ++round)
        if (!acquisition.filterEvent(nullptr))
            std::this_thread::sleep_for(kPollPause);
    acquisition.closeLink();

    Document* document = app.activeDocument();
    if (!document) {
        std::cerr << "glimmerpress-cli: no image was acquired\n";
        return kExitFailed;
    }
    app.currentName() = files[0];
    return saveDocumentWithBackup(app, *document) ? kExitOk : kExitFailed;
}

} // namespace gp::cli
