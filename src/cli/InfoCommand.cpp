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

constexpr std::string_view kUsage = "info FILE [--pcd-resolution 0..4] [--pcd-type rgb|gray]";

// Photo CD files are read with the kept settings, set from the options when given.
bool parsePhotoCdOption(const std::string& option, const std::string& value, PhotoCdOptions& options)
{
    if (option == "--pcd-resolution" && value.size() == 1 && value[0] >= '0' && value[0] <= '4')
        options.resolution = value[0] - '0';
    else if (option == "--pcd-type" && (value == "rgb" || value == "gray"))
        options.dataType = value == "gray" ? kPhotoCdGray8 : kPhotoCdRgb24;
    else
        return false;
    return true;
}

} // namespace

int runInfo(CliContext& context)
{
    if (context.args.size() == 1 && context.args[0] == "--help") {
        std::cout << "usage: glimmerpress-cli " << kUsage
                  << "\n\nReads FILE with the reader its extension selects (falling back on the content) and prints\n"
                     "{\"file\", \"format\", \"width\", \"height\", \"bits\", \"colors\", \"xppm\", \"yppm\", "
                     "\"type\", \"imageSize\", \"orientation\", \"profile\"}: orientation is the tag 1..8 that\n"
                     "turned the picture upright (1 when none), profile the embedded colour profile's\n"
                     "description or null.\n"
                     "Photo CD files are read without the options dialog:\n"
                     "  --pcd-resolution N  0 Thumbnail, 1 Small, 2 Medium (default), 3 Large, 4 Full\n"
                     "  --pcd-type T        rgb (24-bit, default) or gray (8-bit)\n";
        return kExitOk;
    }
    App& app = context.app;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < context.args.size(); ++i) {
        const std::string& arg = context.args[i];
        if (!arg.starts_with("--"))
            files.push_back(arg);
        else if (i + 1 >= context.args.size() || !parsePhotoCdOption(arg, context.args[++i], app.photoCdOptions()))
            return usageError(kUsage);
    }
    if (files.size() != 1)
        return usageError(kUsage);
    const std::string& path = files[0];
    app.photoCdOptions().readMode = PhotoCdReadMode::Settings;
    app.currentName() = path;
    // An unknown extension has had its message from the dispatcher; a failed read gets the
    // program's not-found warning.
    const bool knownType = fileTypeForExtension(extensionOf(path)) != nullptr;
    ReadResult read = readImageFile(app.imageFiles(), path);
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
                     .add("orientation", read.photo.orientation)
                     .addRaw("profile",
                         read.photo.profileDescription ? JsonLine::quote(*read.photo.profileDescription) : "null")
                     .str()
              << '\n';
    return kExitOk;
}

} // namespace gp::cli
