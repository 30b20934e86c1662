#include "app/SaveCommands.h"

#include "codecs/ImageFileTypes.h"
#include "app/OpenPhoto.h"
#include "codecs/SafeSave.h"
#include "image/DocumentList.h"
#include "app/App.h"
#include "shell/CommandIds.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

#include <algorithm>
#include <cctype>

namespace gp {

namespace {

std::string fileNameOf(std::string_view path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

int saveActive(App& app, Document& document)
{
    if (!saveDocumentWithBackup(app, document))
        return command::ResultNone;
    document.setTitle(app.currentName());
    return command::ResultSaved;
}

} // namespace

bool saveDocumentWithBackup(App& app, Document& document)
{
    return saveImageWithBackup(app.imageFiles(), document.image(), app.currentName());
}

int runSaveAsCommand(App& app)
{
    Document* document = app.activeDocument();
    if (!document) {
        app.host().beep();
        return command::ResultNone;
    }
    SaveOptions& options = app.saveOptions();
    const std::string directory
        = options.lastSaveDirectory.empty() ? app.recentFiles().lastDirectory() : options.lastSaveDirectory;
    const std::string proposed = (directory.empty() ? "" : directory + "/") + fileNameOf(document->title());
    auto choice = app.host().chooseSaveFile(text(StringId::SaveAsTitle), proposed, saveFilters(), options.saveType - 1);
    if (!choice || choice->paths.empty())
        return command::ResultNone;

    options.saveType = std::clamp(choice->filterIndex + 1, 1, kSaveTypeCount);
    const FileType type = fileTypeForSaveType(options.saveType)->type;
    if ((type == FileType::Tif || type == FileType::Tga) && choice->compress)
        options.compress = *choice->compress;
    if ((type == FileType::Jpg || type == FileType::Fpx) && choice->quality)
        options.quality = std::clamp(*choice->quality, 1, 100);

    std::string name = choice->paths.front();
    if (lacksExtension(name)) {
        std::string extension(defaultExtension(options.saveType));
        std::ranges::transform(extension, extension.begin(), [](char c) { return char(std::tolower(c)); });
        name += extension;
    }
    options.lastSaveDirectory = directoryOf(name);
    app.currentName() = name;
    return saveActive(app, *document);
}

int runSaveCommand(App& app)
{
    Document* document = app.activeDocument();
    if (!document) {
        app.host().beep();
        return command::ResultNone;
    }
    app.currentName() = document->title();
    if (DocumentList::isUntitled(document->title()) || extensionOf(document->title()) == "PCD")
        return runSaveAsCommand(app);
    return saveActive(app, *document);
}

void registerFileCommands(App& app)
{
    auto& commands = app.commands();
    commands.set(command::Open, [&app](std::string_view argument) { return runOpenCommand(app, argument); });
    commands.set(command::Save, [&app](std::string_view) { return runSaveCommand(app); });
    commands.set(command::SaveAs, [&app](std::string_view) { return runSaveAsCommand(app); });
}

} // namespace gp
