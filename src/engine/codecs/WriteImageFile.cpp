#include "codecs/WriteImageFile.h"

#include "codecs/ImageFileTypes.h"
#include "image/ColorConversion.h"
#include "shell/App.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

namespace gp {

namespace {

WriteResult dispatch(App& app, int saveType, const Image& image, const std::string& path)
{
    const ImageFileType* type = fileTypeForSaveType(saveType);
    if (!type)
        return WriteResult::WriteError;
    if (!type->writer) {
        app.host().message(text(StringId::CaptionWarning),
            formatText(StringId::WriterMissing, std::string(type->name).c_str()), Icon::Warning);
        return WriteResult::Reported;
    }
    if (saveType == kSaveTypeGif && !image.isNull() && image.bitsPerPixel() == 24) {
        // GIF holds at most 256 colours: a true-colour picture is reduced first. A 1-, 4- or
        // 8-bit image already fits and is written as it is.
        ConversionProgress processing(app.host(), StringId::ProgressProcessing);
        auto reduced = convertTo256Colors(image, PaletteMapping::ErrorDiffusion, app.allocator(), &processing);
        if (!reduced)
            return WriteResult::Reported;
        return type->writer(path, *reduced, app);
    }
    return type->writer(path, image, app);
}

} // namespace

WriteResult writeImageFile(App& app, int saveType, const Image& image, const std::string& path)
{
    app.host().setWaitCursor(true);
    const WriteResult result = dispatch(app, saveType, image, path);
    app.host().setWaitCursor(false);
    return result;
}

} // namespace gp
