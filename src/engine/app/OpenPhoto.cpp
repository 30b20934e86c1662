#include "app/OpenPhoto.h"

#include "codecs/ImageFileTypes.h"
#include "codecs/ReadImageFile.h"
#include "app/App.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

#include <algorithm>
#include <cctype>

namespace gp {

namespace {

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

bool isOpen(App& app, std::string_view path)
{
    return std::ranges::any_of(app.documents().all(), [&](const auto& d) { return sameName(d->title(), path); });
}

// The name the user chose, completed with the selected type's extension when it has none
// ("All Image Files" appends nothing).
std::string completeOpenName(std::string name, int filterIndex)
{
    const auto& types = imageFileTypes();
    if (filterIndex >= 1 && std::size_t(filterIndex) <= types.size() && lacksExtension(name)) {
        std::string extension(types[std::size_t(filterIndex - 1)].extensions[0]);
        std::ranges::transform(extension, extension.begin(), [](char c) { return char(std::tolower(c)); });
        name += "." + extension;
    }
    return name;
}

} // namespace

bool lacksExtension(std::string_view name)
{
    const std::size_t start = name.find_last_of(":/\\");
    const std::string_view last = start == std::string_view::npos ? name : name.substr(start + 1);
    const std::string_view tail = last.size() > 4 ? last.substr(last.size() - 4) : last;
    return tail.find('.') == std::string_view::npos;
}

Document* openPhoto(App& app, const std::string& path)
{
    Host& host = app.host();
    app.currentName() = path;
    const bool duplicate = isOpen(app, path);
    if (duplicate
        && host.ask(
               text(StringId::ProductName), text(StringId::AlreadyOpenedAsUntitled), Buttons::YesNo, Icon::Question)
            != Answer::Yes)
        return nullptr;
    if (!fileTypeForExtension(extensionOf(path))) {
        host.message(text(StringId::CaptionWarning), text(StringId::UnknownFileFormatDot), Icon::Warning);
        return nullptr;
    }
    ReadResult read = readImageFile(app.imageFiles(), path);
    if (!read.ok()) {
        app.warnFileNotFound();
        return nullptr;
    }
    Image image = std::move(*read.image);
    // Editing needs room for a few copies of the picture; refuse it now rather than later.
    if (!app.allocator().reserve(3 * image.blockSize()))
        return nullptr;
    Document* document = app.newDocument(std::move(image));
    if (!document)
        return nullptr;
    app.recentFiles().add(path);
    if (duplicate)
        document->setTitle(app.documents().makeUntitledName(StringId::UntitledDuplicated));
    return document;
}

int runOpenCommand(App& app, std::string_view argument)
{
    std::string path(argument);
    if (path.empty()) {
        SaveOptions& options = app.saveOptions();
        auto choice = app.host().chooseOpenFiles(
            text(StringId::OpenTitle), app.recentFiles().lastDirectory(), openFilters(), options.openFilter - 1, false);
        if (!choice || choice->paths.empty())
            return 0;
        options.openFilter = choice->filterIndex + 1;
        path = completeOpenName(choice->paths.front(), options.openFilter - 1);
    }
    openPhoto(app, path);
    return 0;
}

} // namespace gp
