// glimmerpress-cli edit IN OUT [options] OP...: opens IN as a document, applies each OP in
// order (to the selection when one is given), optionally prints the document's state, and saves
// the active document as OUT ("-" saves nothing).

#include "Commands.h"
#include "EditOps.h"
#include "Json.h"

#include "codecs/ImageFileTypes.h"
#include "app/OpenPhoto.h"
#include "codecs/ReadImageFile.h"
#include "app/SaveCommands.h"
#include "codecs/SafeSave.h"
#include "editing/PixelAccess.h"
#include "image/Document.h"
#include "image/ImageType.h"

#include <iostream>
#include <memory>
#include <sstream>

namespace gp::cli {

namespace {

constexpr std::string_view kUsage = "edit IN OUT [--active R,G,B] [--select L,T,R,B[,ellipse]] [--raw] [--state] "
                                    "[--window W,H] OP...";

struct EditOptions {
    std::string in;
    std::string out;
    std::optional<Rgb> active;
    std::optional<Rect> selection;
    bool ellipse = false;
    bool raw = false;
    bool state = false;
    // The document window's client size, which the zoom commands fit the picture into.
    std::optional<Size> window;
    std::vector<std::string> ops;
};

// "1,2,3" as whole numbers; nothing unless exactly `count` of them.
std::optional<std::vector<int>> integerList(std::string_view text, std::size_t count)
{
    std::vector<int> values;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const auto value = opInteger(text.substr(start, comma == std::string_view::npos ? comma : comma - start));
        if (!value)
            return std::nullopt;
        values.push_back(*value);
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    if (values.size() != count)
        return std::nullopt;
    return values;
}

std::optional<EditOptions> parseOptions(const std::vector<std::string>& args)
{
    EditOptions options;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--raw") {
            options.raw = true;
        } else if (arg == "--state") {
            options.state = true;
        } else if (arg == "--active" && hasValue) {
            const auto rgb = integerList(args[++i], 3);
            if (!rgb)
                return std::nullopt;
            options.active = Rgb { (*rgb)[0], (*rgb)[1], (*rgb)[2] };
        } else if (arg == "--select" && hasValue) {
            std::string value = args[++i];
            if (value.ends_with(",ellipse")) {
                options.ellipse = true;
                value.resize(value.size() - 8);
            }
            const auto rect = integerList(value, 4);
            if (!rect || (*rect)[2] <= (*rect)[0] || (*rect)[3] <= (*rect)[1])
                return std::nullopt;
            options.selection = Rect { (*rect)[0], (*rect)[1], (*rect)[2], (*rect)[3] };
        } else if (arg == "--window" && hasValue) {
            const auto size = integerList(args[++i], 2);
            if (!size)
                return std::nullopt;
            options.window = Size { (*size)[0], (*size)[1] };
        } else if (arg.starts_with("--")) {
            return std::nullopt;
        } else if (positional.size() < 2) {
            positional.push_back(arg);
        } else {
            options.ops.push_back(arg);
        }
    }
    if (positional.size() != 2)
        return std::nullopt;
    options.in = positional[0];
    options.out = positional[1];
    return options;
}

// The rectangle's mask: every pixel, or the inscribed ellipse (pixel centres inside it).
Image selectionMask(Rect area, bool ellipse)
{
    Image mask = Image::createMask(area.width(), area.height()).value();
    const double a = area.width() / 2.0, b = area.height() / 2.0;
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x) {
            const double dx = (x + 0.5 - a) / a, dy = (y + 0.5 - b) / b;
            if (!ellipse || dx * dx + dy * dy <= 1.0)
                setPixelIndex(mask.row(y), x, 1, 1);
        }
    return mask;
}

// Opens IN as the program does, or with --raw as a document holding the image as read.
Document* openInput(App& app, const EditOptions& options)
{
    if (!options.raw)
        return openPhoto(app, options.in);
    app.currentName() = options.in;
    const bool knownType = fileTypeForExtension(extensionOf(options.in)) != nullptr;
    ReadResult read = readImageFile(app.imageFiles(), options.in);
    if (!read.ok()) {
        if (knownType)
            app.warnFileNotFound();
        return nullptr;
    }
    auto placeholder = Image::create(1, 1, 24);
    Document* document = placeholder ? app.documents().create(std::move(*placeholder), options.in) : nullptr;
    if (document)
        document->replaceImage(std::make_shared<Image>(std::move(*read.image)));
    return document;
}

std::string stateJson(App& app, const Document& document)
{
    const DocumentState& state = document.state();
    JsonLine line;
    line.add("title", document.title())
        .add("width", state.width)
        .add("height", state.height)
        .add("type", int(imageTypeOf(&document.image())))
        .add("zoom", state.zoom)
        .add("modified", int(state.modified));
    if (state.mask && state.selectionShown) {
        std::ostringstream rect;
        rect << '[' << state.selection.left << ',' << state.selection.top << ',' << state.selection.right << ','
             << state.selection.bottom << ']';
        line.addRaw("selection", rect.str());
    } else {
        line.addRaw("selection", "null");
    }
    line.add("floating", state.floating.has_value());
    line.add("undo", app.undoRecord().document() == &document ? app.undoRecord().code() : 0);
    return line.str();
}

int printHelp()
{
    std::cout << "usage: glimmerpress-cli " << kUsage
              << "\n\nOpens IN as a document, applies each OP in order (to the selection when one is given) and\n"
                 "saves the active document as OUT ('-' saves nothing).\n"
                 "  --active R,G,B       the active colour (fill of turned corners, crops and cuts)\n"
                 "  --select L,T,R,B[,ellipse]  select a rectangle, or the ellipse inside it\n"
                 "  --raw                work on the image as read (1-, 4-, 8- or 24-bit)\n"
                 "  --state              print the document as JSON after the OPs\n"
                 "  --window W,H         the document window's client size, for the zoom commands\n"
                 "                       (cmd:200..234; without it the picture's own size)\n"
                 "OPs:\n";
    for (const auto& [name, op] : editOps()) {
        if (op.help) {
            std::cout << "  " << op.help << '\n';
            continue;
        }
        std::cout << "  " << name;
        for (std::size_t i = 0; i < op.maxArguments; ++i)
            std::cout << (i < op.minArguments ? ":ARG" : "[:ARG]");
        std::cout << '\n';
    }
    return kExitOk;
}

} // namespace

int runEdit(CliContext& context)
{
    if (context.args.size() == 1 && context.args[0] == "--help")
        return printHelp();
    const auto options = parseOptions(context.args);
    if (!options)
        return usageError(kUsage);
    // Check every OP before any work is done.
    std::vector<std::pair<const EditOp*, OpArguments>> ops;
    for (const std::string& text : options->ops) {
        OpArguments parts;
        std::size_t start = 0;
        for (std::size_t colon; (colon = text.find(':', start)) != std::string::npos; start = colon + 1)
            parts.push_back(text.substr(start, colon - start));
        parts.push_back(text.substr(start));
        const auto op = editOps().find(parts.front());
        parts.erase(parts.begin());
        if (op == editOps().end() || parts.size() < op->second.minArguments || parts.size() > op->second.maxArguments)
            return usageError(kUsage);
        ops.emplace_back(&op->second, std::move(parts));
    }

    App& app = context.app;
    if (options->window)
        app.documentView().usableArea = [size = *options->window] { return size; };
    if (options->active)
        app.settings().active = *options->active;
    Document* document = openInput(app, *options);
    if (!document)
        return kExitFailed;
    if (options->selection) {
        DocumentState& state = document->state();
        state.mask = selectionMask(*options->selection, options->ellipse);
        state.selection = *options->selection;
        state.selectionShown = true;
    }
    for (const auto& [op, arguments] : ops) {
        const OpOutcome outcome = op->apply(app, arguments);
        if (outcome == OpOutcome::BadArguments)
            return usageError(kUsage);
        if (outcome == OpOutcome::Failed)
            return kExitFailed;
    }

    Document* active = app.activeDocument();
    if (options->state && active)
        std::cout << stateJson(app, *active) << '\n';
    if (options->out == "-" || !active)
        return kExitOk;
    app.currentName() = options->out;
    return saveDocumentWithBackup(app, *active) ? kExitOk : kExitFailed;
}

} // namespace gp::cli
