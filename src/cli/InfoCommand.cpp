// glimmerpress-cli info FILE: reads a photo as the program does and prints the image as the
// reader returned it, before any widening.

#include "Commands.h"
#include "Json.h"
#include "codecs/ImageFileTypes.h"
#include "codecs/ReadImageFile.h"
#include "image/ImageType.h"

#include <iostream>

namespace gp::cli {

namespace {

constexpr std::string_view kUsage = "info FILE";

} // namespace

int runInfo(CliContext& context)
{
    if (context.args.size() == 1 && context.args[0] == "--help") {
        std::cout << "usage: glimmerpress-cli " << kUsage
                  << "\n\nReads FILE with the reader its extension selects (falling back on the content) and prints\n"
                     "{\"file\", \"format\", \"width\", \"height\", \"bits\", \"colors\", \"xppm\", \"yppm\", "
                     "\"type\", \"imageSize\"}.\n";
        return kExitOk;
    }
    if (context.args.size() != 1 || context.args[0].starts_with("--"))
        return usageError(kUsage);
    App& app = context.app;
    const std::string& path = context.args[0];
    app.currentName() = path;
    // An unknown extension has had its message from the dispatcher; a failed read gets the
    // program's not-found warning.
    const bool knownType = fileTypeForExtension(extensionOf(path)) != nullptr;
    ReadResult read = readImageFile(app, path);
    if (!read.ok()) {
        if (knownType)
            app.warnFileNotFound();
        return kExitFailed;
    }
    const Image& image = *read.image;
    std::cout << JsonLine()
                     .add("file", path)
                     .add("format", read.format)
                     .add("width", image.width())
                     .add("height", image.height())
                     .add("bits", image.bitsPerPixel())
                     .add("colors", image.colorCount())
                     .add("xppm", static_cast<long long>(image.xPelsPerMeter()))
                     .add("yppm", static_cast<long long>(image.yPelsPerMeter()))
                     .add("type", static_cast<int>(imageTypeOf(&image)))
                     .add("imageSize", static_cast<long long>(image.imageSize()))
                     .str()
              << '\n';
    return kExitOk;
}

} // namespace gp::cli
