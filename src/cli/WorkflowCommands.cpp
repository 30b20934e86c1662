// glimmerpress-cli crop, frame, frames, effect and effects: the Crop, Frame and Edit Photo screens'
// rules without a window. Each opens the photo as a document (a 24-bit image), works on a display
// copy as the screen would, and saves the full-resolution result with the safe-save rule.

#include "Commands.h"
#include "Json.h"

#include "app/OpenPhoto.h"
#include "codecs/ReadImageFile.h"
#include "codecs/SafeSave.h"
#include "editing/workflow/EffectIntensity.h"
#include "editing/workflow/FrameFiles.h"
#include "editing/workflow/WorkflowState.h"
#include "image/Document.h"

#include <charconv>
#include <cmath>
#include <iostream>
#include <memory>

namespace gp::cli {

namespace {

constexpr std::string_view kCropUsage
    = "crop PHOTO OUT (--cell W,H | --free) [--display W,H] [--drag HANDLE:DX,DY ...] [--state]";
constexpr std::string_view kFrameUsage = "frame PHOTO FRAME OUT [--cell N] [--display W,H] [--log KIND:AMOUNT,...]";
constexpr std::string_view kEffectUsage = "effect PHOTO OUT --effect N|NAME [--intensity I]";
// The screen's work area when none is given: room for a 600 × 400 display copy.
constexpr Size kDefaultDisplay { 600, 400 };

std::optional<int> integer(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<double> decimal(std::string_view text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// "A,B" split at the separator into two parts.
std::optional<std::pair<std::string_view, std::string_view>> pair(std::string_view text, char separator)
{
    const std::size_t at = text.find(separator);
    if (at == std::string_view::npos)
        return std::nullopt;
    return std::pair { text.substr(0, at), text.substr(at + 1) };
}

std::optional<Size> parseSize(std::string_view text)
{
    const auto parts = pair(text, ',');
    if (!parts)
        return std::nullopt;
    const auto w = integer(parts->first);
    const auto h = integer(parts->second);
    if (!w || !h || *w < 1 || *h < 1 || *w > 20000 || *h > 20000)
        return std::nullopt;
    return Size { *w, *h };
}

// Opens the photo as the program opens a document; the photo is then shared with the workflow.
std::shared_ptr<const Image> openDocumentPhoto(App& app, const std::string& path)
{
    app.photoCdOptions().readMode = PhotoCdReadMode::Settings;
    Document* document = openPhoto(app, path);
    if (!document)
        return nullptr;
    return std::make_shared<const Image>(document->image().clone());
}

int save(App& app, const Image& image, std::string out)
{
    if (out == "-")
        return kExitOk;
    return saveImageWithBackup(app.imageFiles(), image, out) ? kExitOk : kExitFailed;
}

std::string rectJson(Rect r)
{
    return "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + ","
        + std::to_string(r.bottom) + "]";
}

struct CropDrag {
    CropHandle handle;
    int dx;
    int dy;
};

std::optional<CropDrag> cropDrag(std::string_view text)
{
    const auto parts = pair(text, ':');
    if (!parts)
        return std::nullopt;
    const auto handle = integer(parts->first);
    const auto delta = pair(parts->second, ',');
    if (!handle || *handle < 17 || *handle > 25 || !delta)
        return std::nullopt;
    const auto dx = integer(delta->first);
    const auto dy = integer(delta->second);
    if (!dx || !dy)
        return std::nullopt;
    return CropDrag { CropHandle(*handle), *dx, *dy };
}

} // namespace

int runCrop(CliContext& context)
{
    const auto& args = context.args;
    if (args.size() == 1 && args[0] == "--help") {
        std::cout << "usage: glimmerpress-cli " << kCropUsage
                  << "\n\nThe Crop Photo screen: the photo shown as a display copy, the initial crop rectangle for a\n"
                     "template cell's proportion, the drags of its handles, and the photo cut to the rectangle.\n"
                     "  --cell W,H          the cell's picture is W x H inches: fixed proportions\n"
                     "  --free              free proportions\n"
                     "  --display W,H       the display copy's size (default: the photo fitted into 600x400)\n"
                     "  --drag HANDLE:DX,DY move a handle by DX,DY display pixels: 17 top left, 18 bottom left,\n"
                     "                      19 top right, 20 bottom right, 21 the whole rectangle, 22 left,\n"
                     "                      23 right, 24 top, 25 bottom edge (edges in free proportions only)\n"
                     "  --state             print the rectangle in display pixels and the photo's cut as JSON\n"
                     "OUT '-' saves nothing. A rectangle narrower than 40 display pixels gives no result.\n";
        return kExitOk;
    }
    std::vector<std::string> files;
    std::optional<std::pair<int, int>> cell;
    bool free = false;
    bool state = false;
    std::optional<Size> display;
    std::vector<CropDrag> drags;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--free") {
            free = true;
        } else if (arg == "--state") {
            state = true;
        } else if (arg == "--cell" && i + 1 < args.size()) {
            const auto parts = pair(args[++i], ',');
            const auto w = parts ? decimal(parts->first) : std::nullopt;
            const auto h = parts ? decimal(parts->second) : std::nullopt;
            if (!w || !h || *w <= 0 || *h <= 0 || *w > 1000 || *h > 1000)
                return usageError(kCropUsage);
            // Thousandths of an inch, as the template cells keep their sizes.
            cell = std::pair { int(std::lround(*w * 1000)), int(std::lround(*h * 1000)) };
        } else if (arg == "--display" && i + 1 < args.size()) {
            display = parseSize(args[++i]);
            if (!display)
                return usageError(kCropUsage);
        } else if (arg == "--drag" && i + 1 < args.size()) {
            // One or more drags follow.
            while (i + 1 < args.size() && !args[i + 1].starts_with("--") && cropDrag(args[i + 1]))
                drags.push_back(*cropDrag(args[++i]));
            if (drags.empty())
                return usageError(kCropUsage);
        } else if (arg.starts_with("--")) {
            return usageError(kCropUsage);
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2 || free == cell.has_value())
        return usageError(kCropUsage);

    App& app = context.app;
    const auto photo = openDocumentPhoto(app, files[0]);
    if (!photo)
        return kExitFailed;
    WorkflowState workflow;
    Size window = kDefaultDisplay;
    if (display)
        window = *display;
    if (!workflow.start(photo, window, app.allocator()))
        return kExitFailed;
    // A given display size is the display copy's own size.
    CropRectangle crop(display ? Rect { 0, 0, display->width, display->height } : workflow.displayRect());
    if (free)
        crop.setProportion("FREE", 0, 0);
    else
        crop.setProportion("cell", cell->first, cell->second);
    for (const CropDrag& drag : drags)
        crop.drag(drag.handle, drag.dx, drag.dy);

    const auto cut = crop.photoRect({ photo->width(), photo->height() });
    if (state) {
        std::cout << JsonLine()
                         .addRaw("rect", rectJson(crop.rect()))
                         .addRaw("display", rectJson(crop.displayed()))
                         .add("free", crop.isFree())
                         .addRaw("ratio", std::to_string(crop.ratio()))
                         .addRaw("photo", cut ? rectJson(*cut) : "null")
                         .str()
                  << '\n';
    }
    if (!cut) {
        std::cerr << "no result: the crop rectangle is narrower than 40 display pixels\n";
        return kExitFailed;
    }
    const auto result = cropPhoto(*photo, crop, app.allocator());
    if (!result)
        return kExitFailed;
    return save(app, *result, files[1]);
}

int runFrame(CliContext& context)
{
    const auto& args = context.args;
    if (args.size() == 1 && args[0] == "--help") {
        std::cout << "usage: glimmerpress-cli " << kFrameUsage
                  << "\n\nThe Frame Photo screen: sets PHOTO into the frame picture FRAME through its mask (FRAME's\n"
                     "name with .msk) at the window its offset table (.off) gives, with the initial zoom-in records\n"
                     "and then the given log records, replayed once at full resolution.\n"
                     "  --cell N         the template cell whose offset entry places the window (default 0)\n"
                     "  --display W,H    the screen's work area the log's moves are measured in (default 600x400)\n"
                     "  --log K:A,...    records: 0 move right, 1 move up (display pixels), 2 turn in tenths of\n"
                     "                   a degree counter-clockwise, 3 zoom in percent\n"
                     "OUT '-' saves nothing.\n";
        return kExitOk;
    }
    std::vector<std::string> files;
    int cell = 0;
    Size window = kDefaultDisplay;
    std::vector<PlacementRecord> records;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--cell" && i + 1 < args.size()) {
            const auto n = integer(args[++i]);
            if (!n || *n < 0)
                return usageError(kFrameUsage);
            cell = *n;
        } else if (arg == "--display" && i + 1 < args.size()) {
            const auto given = parseSize(args[++i]);
            if (!given)
                return usageError(kFrameUsage);
            window = *given;
        } else if (arg == "--log" && i + 1 < args.size()) {
            std::string_view list = args[++i];
            while (!list.empty()) {
                const std::size_t comma = list.find(',');
                const auto record = pair(list.substr(0, comma), ':');
                const auto kind = record ? integer(record->first) : std::nullopt;
                const auto amount = record ? integer(record->second) : std::nullopt;
                if (!kind || !amount || *kind < 0 || *kind > 3 || (*kind == 3 && *amount <= 0))
                    return usageError(kFrameUsage);
                records.push_back({ *kind, *amount });
                list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
            }
        } else if (arg.starts_with("--")) {
            return usageError(kFrameUsage);
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 3)
        return usageError(kFrameUsage);

    App& app = context.app;
    const auto photo = openDocumentPhoto(app, files[0]);
    if (!photo)
        return kExitFailed;
    auto artwork = readFrameArtwork(app.imageFiles(), files[1]);
    if (!artwork) {
        std::cerr << "no frame: " << files[1] << " or its mask cannot be read\n";
        return kExitFailed;
    }
    WorkflowState workflow;
    if (!workflow.start(photo, window, app.allocator())
        || !workflow.frame.choose(std::move(*artwork), cell, *photo, window, app.allocator()))
        return kExitFailed;
    for (const PlacementRecord& record : records)
        workflow.frame.append(PlacementKind(record.kind), record.amount);
    const auto result = workflow.frame.result(*photo, app.allocator());
    if (!result)
        return kExitFailed;
    return save(app, *result, files[2]);
}

int runFrames(CliContext& context)
{
    if (context.args.size() == 1 && context.args[0] == "--help") {
        std::cout << "usage: glimmerpress-cli frames\n\nLists the shipped frames, one JSON object each: name, picture, "
                     "mask, offsets, width, height.\n";
        return kExitOk;
    }
    if (!context.args.empty())
        return usageError("frames");
    App& app = context.app;
    for (const auto& picture : framePictures(shippedFramesFolder(app.paths()))) {
        ReadResult read = readImageFile(app.imageFiles(), picture.string());
        JsonLine line;
        line.add("name", picture.stem().string())
            .add("picture", picture.string())
            .add("mask", companionFile(picture, ".msk").string())
            .add("offsets", companionFile(picture, ".off").string());
        if (read.ok())
            line.add("width", read.image->width()).add("height", read.image->height());
        else
            line.addRaw("width", "null").addRaw("height", "null");
        std::cout << line.str() << '\n';
    }
    return kExitOk;
}

int runEffects(CliContext& context)
{
    if (context.args.size() == 1 && context.args[0] == "--help") {
        std::cout << "usage: glimmerpress-cli effects\n\nLists the effects library's effects, one JSON object each: "
                     "number, name, the\nintensity step of the Edit Photo screen and the lowest intensity.\n";
        return kExitOk;
    }
    if (!context.args.empty())
        return usageError("effects");
    const auto library = openEffectsLibrary(context.app.paths(), context.host);
    if (!library)
        return kExitFailed;
    for (const auto& entry : library->effects()) {
        std::cout << JsonLine()
                         .add("number", entry.number)
                         .add("name", entry.name)
                         .add("step", intensityStep(entry.number))
                         .add("floor", intensityFloor(entry.number))
                         .str()
                  << '\n';
    }
    return kExitOk;
}

int runEffect(CliContext& context)
{
    const auto& args = context.args;
    if (args.size() == 1 && args[0] == "--help") {
        std::cout << "usage: glimmerpress-cli " << kEffectUsage
                  << "\n\nApplies one effect of the effects library to the whole photo, as the Edit Photo screen's\n"
                     "result does.\n"
                     "  --effect N|NAME  the effect's number or name as `effects` lists them\n"
                     "  --intensity I    0..100, limited and rounded down to the effect's step as the screen\n"
                     "                   does (default: the intensity the screen starts the effect at)\n"
                     "OUT '-' saves nothing.\n";
        return kExitOk;
    }
    std::vector<std::string> files;
    std::string effectName;
    std::optional<int> intensity;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--effect" && i + 1 < args.size()) {
            effectName = args[++i];
        } else if (args[i] == "--intensity" && i + 1 < args.size()) {
            intensity = integer(args[++i]);
            if (!intensity)
                return usageError(kEffectUsage);
        } else if (args[i].starts_with("--")) {
            return usageError(kEffectUsage);
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2 || effectName.empty())
        return usageError(kEffectUsage);
    App& app = context.app;
    const auto library = openEffectsLibrary(app.paths(), context.host);
    if (!library)
        return kExitFailed;
    int effect = 0;
    for (const auto& entry : library->effects())
        if (entry.name == effectName || std::to_string(entry.number) == effectName)
            effect = entry.number;
    if (effect == 0) {
        std::cerr << "no effect named " << effectName << '\n';
        return kExitUsage;
    }
    const auto photo = openDocumentPhoto(app, files[0]);
    if (!photo)
        return kExitFailed;
    const int value = intensity ? settledIntensity(effect, *intensity) : initialIntensity(effect);
    auto result = library->apply(effect, *photo, value, app.allocator());
    if (!result) {
        std::cerr << "the effects library gave no picture\n";
        return kExitFailed;
    }
    return save(app, *result, files[1]);
}

} // namespace gp::cli
