#include "codecs/ReadImageFile.h"

#include "codecs/ImageFileTypes.h"
#include "codecs/ImageFileContext.h"
#include "codecs/PhotoFinishing.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

namespace gp {

namespace {

ReadResult readAs(const ImageFileType& type, const ImageFileContext& files, const std::string& path)
{
    ReadResult result = type.reader
        ? type.reader(path, files)
        : ReadResult { type.whenMissing, {}, std::string(type.name) + " files are not supported", {}, {} };
    result.format = type.name;
    return result;
}

ReadResult dispatch(const ImageFileContext& files, const std::string& path)
{
    const ImageFileType* chosen = fileTypeForExtension(extensionOf(path));
    if (!chosen) {
        files.host.message(text(StringId::CaptionWarning), text(StringId::UnknownFileFormat), Icon::Warning);
        return ReadResult::noImage("unknown file format");
    }
    ReadResult result = readAs(*chosen, files, path);
    for (const auto& other : imageFileTypes()) {
        if (result.status != ReadStatus::NotThisFormat)
            break;
        if (&other != chosen)
            result = readAs(other, files, path);
    }
    return result;
}

} // namespace

ReadResult readImageFile(const ImageFileContext& files, const std::string& path)
{
    files.host.setWaitCursor(true);
    ReadResult result = dispatch(files, path);
    finishPhoto(result, files.allocator, PhotoFinishingOptions { files.convertProfiles });
    files.host.setWaitCursor(false);
    return result;
}

} // namespace gp
