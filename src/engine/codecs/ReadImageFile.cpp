#include "codecs/ReadImageFile.h"

#include "codecs/ImageFileTypes.h"
#include "codecs/PhotoFinishing.h"
#include "shell/App.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

namespace gp {

namespace {

ReadResult readAs(const ImageFileType& type, App& app, const std::string& path)
{
    ReadResult result = type.reader
        ? type.reader(path, app)
        : ReadResult { type.whenMissing, {}, std::string(type.name) + " files are not supported", {}, {} };
    result.format = type.name;
    return result;
}

ReadResult dispatch(App& app, const std::string& path)
{
    const ImageFileType* chosen = fileTypeForExtension(extensionOf(path));
    if (!chosen) {
        app.host().message(text(StringId::CaptionWarning), text(StringId::UnknownFileFormat), Icon::Warning);
        return ReadResult::noImage("unknown file format");
    }
    ReadResult result = readAs(*chosen, app, path);
    for (const auto& other : imageFileTypes()) {
        if (result.status != ReadStatus::NotThisFormat)
            break;
        if (&other != chosen)
            result = readAs(other, app, path);
    }
    return result;
}

} // namespace

ReadResult readImageFile(App& app, const std::string& path)
{
    app.host().setWaitCursor(true);
    ReadResult result = dispatch(app, path);
    finishPhoto(result, app.allocator(), PhotoFinishingOptions { app.settings().colorProfiles != 0 });
    app.host().setWaitCursor(false);
    return result;
}

} // namespace gp
