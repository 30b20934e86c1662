#include "codecs/WriteImageFile.h"

#include "codecs/ImageFileContext.h"
#include "codecs/ImageFileTypes.h"
#include "image/Allocator.h"
#include "image/ColorConversion.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

namespace gp {

namespace {

WriteResult dispatch(const ImageFileContext& files, int saveType, const Image& image, const std::string& path)
{
    const ImageFileType* type = fileTypeForSaveType(saveType);
    if (!type)
        return WriteResult::WriteError;
    if (!type->writer) {
        files.host.message(text(StringId::CaptionWarning),
            formatText(StringId::WriterMissing, std::string(type->name).c_str()), Icon::Warning);
        return WriteResult::Reported;
    }
    if (saveType == kSaveTypeGif && !image.isNull() && image.bitsPerPixel() == 24) {
        // GIF holds at most 256 colours: a true-colour picture is reduced first. A 1-, 4- or
        // 8-bit image already fits and is written as it is.
        ConversionProgress processing(files.host, StringId::ProgressProcessing);
        auto reduced = convertTo256Colors(image, PaletteMapping::ErrorDiffusion, files.allocator, &processing);
        if (!reduced)
            return WriteResult::Reported;
        return type->writer(path, *reduced, files);
    }
    return type->writer(path, image, files);
}

} // namespace

WriteResult writeImageFile(const ImageFileContext& files, int saveType, const Image& image, const std::string& path)
{
    files.host.setWaitCursor(true);
    const WriteResult result = dispatch(files, saveType, image, path);
    files.host.setWaitCursor(false);
    return result;
}

} // namespace gp
