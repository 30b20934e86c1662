// glimmerpress-cli convert IN OUT: opens IN as a document (or, with --raw, takes the image as
// read) and saves it as OUT with the writer OUT's extension selects and the safe-save rule.

#include "Commands.h"
#include "codecs/ImageFileTypes.h"
#include "app/OpenPhoto.h"
#include "codecs/ReadImageFile.h"
#include "app/SaveCommands.h"
#include "codecs/SafeSave.h"
#include "image/Document.h"

#include <charconv>
#include <iostream>

namespace gp::cli {

namespace {

constexpr std::string_view kUsage = "convert IN OUT [--quality N] [--compress] [--raw]";

bool parseQuality(std::string_view text, int& quality)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), quality);
    return error == std::errc() && end == text.data() + text.size() && quality >= 1 && quality <= 100;
}

int convertRaw(App& app, const std::string& in, std::string out)
{
    app.currentName() = in;
    const bool knownType = fileTypeForExtension(extensionOf(in)) != nullptr;
    ReadResult read = readImageFile(app.imageFiles(), in);
    if (!read.ok()) {
        if (knownType)
            app.warnFileNotFound();
        return kExitFailed;
    }
    return saveImageWithBackup(app.imageFiles(), *read.image, out) ? kExitOk : kExitFailed;
}

} // namespace

int runConvert(CliContext& context)
{
    const auto& args = context.args;
    if (args.size() == 1 && args[0] == "--help") {
        std::cout << "usage: glimmerpress-cli " << kUsage
                  << "\n\nOpens IN as a document (a 24-bit image) and saves it as OUT; OUT's extension selects the\n"
                     "writer (BMP, TIF, PCX, GIF, TGA, JPG, FPX or PNG), and an existing OUT is kept as a backup until the new file is written.\n"
                     "  --quality N  JPEG and FlashPix quality, 1..100 (default 90)\n"
                     "  --compress   compress TIFF and TGA files\n"
                     "  --raw        save the image as read, without widening it to 24 bit\n";
        return kExitOk;
    }
    std::vector<std::string> files;
    bool raw = false;
    SaveOptions& options = context.app.saveOptions();
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--raw") {
            raw = true;
        } else if (args[i] == "--compress") {
            options.compress = true;
        } else if (args[i] == "--quality") {
            if (i + 1 >= args.size() || !parseQuality(args[i + 1], options.quality))
                return usageError(kUsage);
            ++i;
        } else if (args[i].starts_with("--")) {
            return usageError(kUsage);
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2)
        return usageError(kUsage);
    App& app = context.app;
    app.photoCdOptions().readMode = PhotoCdReadMode::Settings; // no options dialog on the command line
    if (raw)
        return convertRaw(app, files[0], files[1]);
    Document* document = openPhoto(app, files[0]);
    if (!document)
        return kExitFailed;
    app.currentName() = files[1];
    return saveDocumentWithBackup(app, *document) ? kExitOk : kExitFailed;
}

} // namespace gp::cli
