#include "codecs/WriteImageFile.h"

#include "codecs/ImageFileTypes.h"
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
