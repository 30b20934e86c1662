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
    if (saveType == kSaveTypeGif) {
        // GIF holds at most 256 colours: the picture is reduced first, and a picture the
        // reduction does not take is not written.
        RowProgress processing(app.host(), StringId::ProgressProcessing);
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
