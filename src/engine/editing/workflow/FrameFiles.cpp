#include "editing/workflow/FrameFiles.h"

#include "codecs/ImageFileTypes.h"
#include "codecs/ReadImageFile.h"
#include "editing/workflow/FrameComposition.h"
#include "image/Widen.h"
#include "codecs/ImageFileContext.h"
#include "shell/Paths.h"
#include "shell/Host.h"

#include <algorithm>
#include <system_error>

namespace gp {

namespace {

// The mask's extension names no format, so each reader is asked in turn, as the fall-back of the
// file opener does.
std::optional<Image> readByContent(const ImageFileContext& files, const std::string& path)
{
    for (const auto& type : imageFileTypes()) {
        if (!type.reader)
            continue;
        ReadResult result = type.reader(path, files);
        if (result.ok())
            return std::move(result.image);
        if (result.status != ReadStatus::NotThisFormat)
            return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

std::optional<FrameArtwork> readFrameArtwork(const ImageFileContext& files, const std::string& picturePath)
{
    const std::string maskPath = companionFile(picturePath, ".msk").string();
    std::error_code error;
    if (!std::filesystem::is_regular_file(maskPath, error))
        return std::nullopt;
    ReadResult picture = readImageFile(files, picturePath);
    if (!picture.ok())
        return std::nullopt;
    auto wide = widenTo24(*picture.image, files.allocator);
    if (!wide)
        return std::nullopt;
    files.host.setWaitCursor(true);
    auto mask = readByContent(files, maskPath);
    files.host.setWaitCursor(false);
    if (!mask)
        return std::nullopt;
    auto values = maskValues(*mask, files.allocator);
    if (!values)
        return std::nullopt;
    return FrameArtwork { std::move(*wide), std::move(*values), OffsetTable::forFrame(picturePath) };
}

std::vector<std::filesystem::path> framePictures(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> pictures;
    std::error_code error;
    for (auto it = std::filesystem::directory_iterator(folder, error); !error && it != std::filesystem::directory_iterator();
         it.increment(error)) {
        const auto& path = it->path();
        if (fileTypeForExtension(extensionOf(path.string())) != nullptr
            && std::filesystem::is_regular_file(companionFile(path, ".msk"), error))
            pictures.push_back(path);
    }
    std::ranges::sort(pictures);
    return pictures;
}

std::filesystem::path shippedFramesFolder(const Paths& paths) { return paths.programDir / "frames"; }

} // namespace gp
