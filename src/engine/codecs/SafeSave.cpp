#include "codecs/SafeSave.h"

#include "codecs/ImageFileContext.h"
#include "codecs/ImageFileTypes.h"
#include "codecs/SaveOptions.h"
#include "codecs/WriteImageFile.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace gp {

namespace {

// The save type a name asks for (0 when its extension names no writable type), completing a
// name without an extension with the remembered type's.
int saveTypeFor(const ImageFileContext& files, std::string& path)
{
    if (extensionOf(path).empty()) {
        const int saveType = files.saveOptions.saveType;
        std::string extension(defaultExtension(saveType));
        std::ranges::transform(extension, extension.begin(), [](char c) { return char(std::tolower(c)); });
        path += extension;
        return saveType;
    }
    const ImageFileType* type = fileTypeForExtension(extensionOf(path));
    return type ? type->saveType : 0;
}

} // namespace

std::string backupNameOf(std::string_view path)
{
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t dot = path.rfind('.');
    const bool hasExtension = dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash);
    return std::string(hasExtension ? path.substr(0, dot) : path) + std::string(text(StringId::BackupExtension));
}

bool saveImageWithBackup(const ImageFileContext& files, const Image& image, std::string& path)
{
    Host& host = files.host;
    const int saveType = saveTypeFor(files, path);
    if (saveType == 0) {
        host.message(text(StringId::CaptionWarning), text(StringId::UnknownFileFormatDot), Icon::Warning);
        return false;
    }
    const std::string backup = backupNameOf(path);
    const bool backedUp = std::rename(path.c_str(), backup.c_str()) == 0;
    WriteResult result = writeImageFile(files, saveType, image, path);
    if (result == WriteResult::Written) {
        if (backedUp)
            std::remove(backup.c_str());
        return true;
    }
    std::remove(path.c_str());
    if (backedUp)
        std::rename(backup.c_str(), path.c_str());
    if (backedUp && result == WriteResult::WriteError
        && host.ask(text(StringId::ProductName), text(StringId::BackupQuestion), Buttons::YesNo, Icon::Question)
            == Answer::Yes) {
        result = writeImageFile(files, saveType, image, path);
        if (result == WriteResult::Written)
            return true;
        std::remove(path.c_str());
    }
    if (result == WriteResult::WriteError)
        host.message(text(StringId::CaptionWarning), text(StringId::DiskError), Icon::Warning);
    return false;
}

} // namespace gp
