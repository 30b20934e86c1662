#include "codecs/PhotoCdReader.h"

#include "base/ByteReader.h"
#include "base/DynamicLibrary.h"
#include "codecs/ImageFileContext.h"
#include "codecs/PhotoCdOptions.h"
#include "image/Allocator.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#include <utility>

// The library's opaque image pack. Its functions are called through pointers of exactly their own
// types, so the handle is this incomplete type rather than void*.
struct PcdReference;

namespace gp {

namespace {

// The library's interface, looked up by name.
using Handle = ::PcdReference*;
using RefOpen = unsigned long (*)(int, Handle*);
using SetValue = unsigned long (*)(Handle, int);
using AbortTest = int (*)(void*);
using Progress = void (*)(long, long, void*);
using SetAbort = unsigned long (*)(Handle, AbortTest, void*);
using SetProgress = unsigned long (*)(Handle, Progress, void*);
using LoadImage = unsigned long (*)(Handle, const void*, void**);
using RefClose = unsigned long (*)(Handle);

constexpr unsigned long kOutOfMemory = 12;
constexpr int kFormatGray8 = 10;
constexpr int kFormatRgb24 = 11;
constexpr std::size_t kInfoHeader = 40;
constexpr std::size_t kColorTableRoom = 256 * 4;
constexpr std::int32_t k200DotsPerInch = 7874; // pixels per metre
constexpr int kLargestSide = 4096;

// A missing function counts as an error result.
constexpr unsigned long kMissingFunction = 0xFFFF;

struct Library {
    RefOpen refOpen;
    SetValue setFormat;
    SetValue setResolution;
    SetAbort setAbort;
    SetProgress setProgress;
    LoadImage loadImage;
    RefClose refClose;
};

// Loading is never abandoned, and its progress is not shown.
int neverAbort(void*)
{
    return 0;
}
void ignoreProgress(long, long, void*)
{
}

template <typename Function, typename... Args> unsigned long call(Function function, Args... args)
{
    return function ? function(args...) & 0xFFFF : kMissingFunction;
}

class OpenFile {
public:
    explicit OpenFile(const std::string& path)
        : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC))
    {
    }
    ~OpenFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

struct FreeBlock {
    void operator()(void* p) const { std::free(p); }
};

std::optional<PhotoCdChoice> askOptions(Host& host, const PhotoCdOptions& options)
{
    PhotoCdDialog dialog;
    dialog.title = text(StringId::PhotoCdOptionsTitle);
    dialog.dataTypeLabel = text(StringId::PhotoCdDataTypeLabel);
    dialog.dataTypes = { std::string(text(StringId::PhotoCdRgb24)), std::string(text(StringId::PhotoCdGray8)) };
    dialog.resolutionLabel = text(StringId::PhotoCdResolutionLabel);
    for (StringId id : { StringId::PhotoCdThumbnail, StringId::PhotoCdSmall, StringId::PhotoCdMedium,
             StringId::PhotoCdLarge, StringId::PhotoCdFull })
        dialog.resolutions.emplace_back(text(id));
    dialog.dataType = options.dataType;
    dialog.resolution = options.resolution;
    auto choice = host.choosePhotoCdOptions(dialog);
    if (choice && (choice->dataType < 0 || choice->dataType > 1 || choice->resolution < 0 || choice->resolution > 4))
        return std::nullopt;
    return choice;
}

// The image the library handed over: colour count fixed up, 200 dots per inch when it has no
// resolution, and the pixels of a 24-bit image taken from after the colour-table room so that they
// follow the header directly.
ReadResult adoptBlock(const std::uint8_t* block, const ImageFileContext& files)
{
    const std::int32_t width = std::int32_t(loadU32Le(block + 4));
    const std::int32_t height = std::int32_t(loadU32Le(block + 8));
    const int bits = loadU16Le(block + 14);
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide || (bits != 8 && bits != 24))
        return ReadResult::noImage("Photo CD: the library gave an unexpected picture");
    std::uint32_t colors = 0;
    if (bits != 24) {
        colors = loadU32Le(block + 32);
        if (colors == 0 || colors > 256)
            colors = 1u << bits;
    }
    auto image = files.allocator.image(width, height, bits, int(colors), text(StringId::CaptionSystemMessage));
    if (!image)
        return ReadResult::cannotRead("Photo CD: not enough memory");
    std::memcpy(image->colorTable().data(), block + kInfoHeader, 4 * std::size_t(colors));
    const std::uint8_t* pixels = block + kInfoHeader + kColorTableRoom;
    std::memcpy(image->pixels().data(), pixels, image->rowSize() * std::size_t(height));
    std::int32_t xPels = std::int32_t(loadU32Le(block + 24));
    std::int32_t yPels = std::int32_t(loadU32Le(block + 28));
    if (xPels == 0 && yPels == 0)
        xPels = yPels = k200DotsPerInch;
    image->setResolution(xPels, yPels);
    return ReadResult::read(std::move(*image));
}

} // namespace

ReadResult readPhotoCdFile(const std::string& path, const ImageFileContext& files)
{
    // The mode serves this one read whatever its outcome, so a failed read cannot leave a caller's
    // mode behind for the next Open.
    PhotoCdOptions& options = files.photoCdOptions;
    const PhotoCdReadMode mode = std::exchange(options.readMode, PhotoCdReadMode::Ask);

    auto library = DynamicLibrary::open(files.library(kPhotoCdLibraryName));
    if (!library)
        return ReadResult::noImage("Photo CD library missing");
    const Library pcd { library->function<RefOpen>("PCDrefOpen"), library->function<SetValue>("PCDsetFormat"),
        library->function<SetValue>("PCDsetResolution"), library->function<SetAbort>("PCDsetAbort"),
        library->function<SetProgress>("PCDsetProgress"), library->function<LoadImage>("PCDloadImage"),
        library->function<RefClose>("PCDrefClose") };

    const OpenFile file(path);
    if (file.fd() < 0)
        return ReadResult::cannotRead("cannot open the file");

    int resolutionCode = options.resolution + 1;
    int format = options.dataType == kPhotoCdGray8 ? kFormatGray8 : kFormatRgb24;
    switch (mode) {
    case PhotoCdReadMode::Ask: {
        auto choice = askOptions(files.host, options);
        if (!choice)
            return ReadResult::cannotRead("Photo CD options cancelled");
        options.dataType = choice->dataType;
        options.resolution = choice->resolution;
        resolutionCode = options.resolution + 1;
        format = options.dataType == kPhotoCdGray8 ? kFormatGray8 : kFormatRgb24;
        break;
    }
    case PhotoCdReadMode::Settings: break;
    case PhotoCdReadMode::SlideShow:
        resolutionCode = kPhotoCdMedium + 1;
        format = kFormatRgb24;
        break;
    case PhotoCdReadMode::AlbumThumbnail:
        resolutionCode = kPhotoCdThumbnail + 1;
        format = kFormatRgb24;
        break;
    }

    Handle handle = nullptr;
    if (call(pcd.refOpen, file.fd(), &handle) != 0)
        return ReadResult::noImage("Photo CD library refused the file");
    call(pcd.setFormat, handle, format);
    call(pcd.setResolution, handle, resolutionCode);
    call(pcd.setAbort, handle, neverAbort, nullptr);
    call(pcd.setProgress, handle, ignoreProgress, nullptr);
    files.host.setWaitCursor(true);
    void* loaded = nullptr;
    const unsigned long error = call(pcd.loadImage, handle, nullptr, &loaded);
    const std::unique_ptr<void, FreeBlock> block(loaded);
    call(pcd.refClose, handle);
    files.host.setWaitCursor(false);

    if (error == kOutOfMemory) {
        files.allocator.reportOutOfMemory(text(StringId::CaptionSystemMessage));
        return ReadResult::cannotRead("Photo CD library ran out of memory");
    }
    if (error != 0 || !block)
        return ReadResult::noImage("Photo CD library error " + std::to_string(error));
    return adoptBlock(static_cast<const std::uint8_t*>(block.get()), files);
}

} // namespace gp
