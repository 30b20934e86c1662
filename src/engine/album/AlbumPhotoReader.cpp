#include "album/AlbumPhotoReader.h"

#include "codecs/ReadImageFile.h"
#include "codecs/SaveOptions.h"
#include "image/Allocator.h"
#include "shell/SilentHost.h"

#include <memory>

namespace gp {

namespace {

// Everything a background read changes or reports to, owned by the reader.
struct BackgroundContext {
    SilentHost host; // a question is answered as if cancelled, so the reader gives up
    Allocator allocator;
    SaveOptions saveOptions;
    PhotoCdOptions photoCdOptions;
    ImageFileContext files;

    explicit BackgroundContext(const ImageFileContext& program)
        : allocator(host, program.allocator.ceiling())
        , files { host, allocator, saveOptions, photoCdOptions, program.libraryDir, program.convertProfiles }
    {
    }
};

} // namespace

std::optional<Image> readPhotoQuietly(const ImageFileContext& files, const std::string& path, PhotoCdReadMode photoCdMode)
{
    files.photoCdOptions.readMode = photoCdMode;
    ReadResult result = readImageFile(files, path);
    // Only a Photo CD read consumes the mode; any other format must not leave it for the next Open.
    files.photoCdOptions.readMode = PhotoCdReadMode::Ask;
    if (!result.ok())
        return std::nullopt;
    return std::move(result.image);
}

PhotoFileReader albumPhotoReader(const ImageFileContext& files)
{
    return [files](const std::string& path) { return readPhotoQuietly(files, path, PhotoCdReadMode::AlbumThumbnail); };
}

PhotoFileReader backgroundPhotoReader(const ImageFileContext& files)
{
    auto context = std::make_shared<BackgroundContext>(files);
    return [context](const std::string& path) {
        return readPhotoQuietly(context->files, path, PhotoCdReadMode::AlbumThumbnail);
    };
}

} // namespace gp
