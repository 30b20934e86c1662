#include "codecs/ImageFileTypes.h"

#include "codecs/BmpReader.h"
#include "codecs/BmpWriter.h"
#include "codecs/FlashPixFile.h"
#include "codecs/GifReader.h"
#include "codecs/GifWriter.h"
#include "codecs/HeifReader.h"
#include "codecs/ImageFileContext.h"
#include "codecs/JpegReader.h"
#include "codecs/JpegWriter.h"
#include "codecs/PcxReader.h"
#include "codecs/PcxWriter.h"
#include "codecs/PhotoCdReader.h"
#include "codecs/PngReader.h"
#include "codecs/PngWriter.h"
#include "codecs/SaveOptions.h"
#include "codecs/TgaReader.h"
#include "codecs/TgaWriter.h"
#include "codecs/TiffReader.h"
#include "codecs/TiffWriter.h"
#include "codecs/WebpReader.h"
#include "image/Allocator.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

#include <cctype>

namespace gp {

namespace {

ReadResult readBmp(const std::string& path, const ImageFileContext& files)
{
    return readBmpFile(path, files.allocator);
}
WriteResult writeBmp(const std::string& path, const Image& image, const ImageFileContext&)
{
    return writeBmpFile(path, image);
}
ReadResult readGif(const std::string& path, const ImageFileContext& files)
{
    return readGifFile(path, files.allocator);
}
WriteResult writeGif(const std::string& path, const Image& image, const ImageFileContext& files)
{
    return writeGifFile(path, image, files.host);
}
ReadResult readJpeg(const std::string& path, const ImageFileContext& files)
{
    return readJpegFile(path, files.allocator);
}
WriteResult writeJpeg(const std::string& path, const Image& image, const ImageFileContext& files)
{
    return writeJpegFile(path, image, files.saveOptions.quality, files.host);
}
ReadResult readPcx(const std::string& path, const ImageFileContext& files)
{
    return readPcxFile(path, files.allocator);
}
WriteResult writePcx(const std::string& path, const Image& image, const ImageFileContext& files)
{
    return writePcxFile(path, image, files.host);
}
ReadResult readTga(const std::string& path, const ImageFileContext& files)
{
    return readTgaFile(path, files.allocator);
}
WriteResult writeTga(const std::string& path, const Image& image, const ImageFileContext& files)
{
    return writeTgaFile(path, image, files.saveOptions.compress, files.host);
}
ReadResult readTiff(const std::string& path, const ImageFileContext& files)
{
    return readTiffFile(path, files.allocator, TiffDecoding { files.workers });
}
WriteResult writeTiff(const std::string& path, const Image& image, const ImageFileContext& files)
{
    return writeTiffFile(path, image, files.saveOptions.compress);
}

ReadResult readPng(const std::string& path, const ImageFileContext& files)
{
    return readPngFile(path, files.allocator);
}
WriteResult writePng(const std::string& path, const Image& image, const ImageFileContext&)
{
    return writePngFile(path, image);
}
ReadResult readWebp(const std::string& path, const ImageFileContext& files)
{
    return readWebpFile(path, files.allocator);
}
ReadResult readHeif(const std::string& path, const ImageFileContext& files)
{
    return readHeifFile(path, files.allocator);
}

} // namespace

const std::array<ImageFileType, kImageFileTypeCount>& imageFileTypes()
{
    static const std::array<ImageFileType, kImageFileTypeCount> types = { {
        { FileType::Bmp, "BMP", { "BMP", "" }, 1, readBmp, writeBmp, ReadStatus::NotThisFormat },
        { FileType::Tif, "TIF", { "TIF", "" }, 2, readTiff, writeTiff, ReadStatus::NotThisFormat },
        { FileType::Pcx, "PCX", { "PCX", "" }, 3, readPcx, writePcx, ReadStatus::NotThisFormat },
        { FileType::Gif, "GIF", { "GIF", "" }, 4, readGif, writeGif, ReadStatus::NotThisFormat },
        { FileType::Tga, "TGA", { "TGA", "" }, 5, readTga, writeTga, ReadStatus::NotThisFormat },
        { FileType::Jpg, "JPG", { "JPG", "JPEG" }, 6, readJpeg, writeJpeg, ReadStatus::NotThisFormat },
        { FileType::Pcd, "PCD", { "PCD", "" }, 0, readPhotoCdFile, nullptr, ReadStatus::CannotRead },
        { FileType::Fpx, "FPX", { "FPX", "" }, 7, readFlashPixFile, writeFlashPixFile, ReadStatus::CannotRead },
        { FileType::Png, "PNG", { "PNG", "" }, 8, readPng, writePng, ReadStatus::NotThisFormat },
        { FileType::Webp, "WEBP", { "WEBP", "" }, 0, readWebp, nullptr, ReadStatus::NotThisFormat },
        { FileType::Heic, "HEIC", { "HEIC", "HEIF" }, 0, readHeif, nullptr, ReadStatus::NotThisFormat },
    } };
    return types;
}

std::string extensionOf(std::string_view name)
{
    const std::size_t slash = name.find_last_of("/\\");
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return {};
    std::string extension(name.substr(dot + 1));
    if (extension.size() > 7)
        return {};
    for (char& c : extension)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return extension;
}

const ImageFileType* fileTypeForExtension(std::string_view extension)
{
    if (extension.empty())
        return nullptr;
    for (const auto& type : imageFileTypes())
        for (std::string_view candidate : type.extensions)
            if (candidate == extension)
                return &type;
    return nullptr;
}

const ImageFileType* fileTypeForSaveType(int saveType)
{
    for (const auto& type : imageFileTypes())
        if (type.saveType != 0 && type.saveType == saveType)
            return &type;
    return nullptr;
}

std::string_view defaultExtension(int saveType)
{
    static constexpr std::array<StringId, kSaveTypeCount> kExtensions = { StringId::DefaultExtensionBmp,
        StringId::DefaultExtensionTif, StringId::DefaultExtensionPcx, StringId::DefaultExtensionGif,
        StringId::DefaultExtensionTga, StringId::DefaultExtensionJpg, StringId::DefaultExtensionFpx,
        StringId::DefaultExtensionPng };
    if (saveType < 1 || saveType > kSaveTypeCount)
        return {};
    return text(kExtensions[std::size_t(saveType - 1)]);
}

std::vector<FileFilter> openFilters()
{
    std::vector<FileFilter> filters { { std::string(text(StringId::AllImageFiles)),
        std::string(text(StringId::AllImagePatterns)) } };
    for (const auto& type : imageFileTypes()) {
        std::string pattern = "*." + std::string(type.name);
        // The program's JPG entry lists "*.JPG" alone; the photo formats list both names.
        if (type.type >= FileType::Png && !type.extensions[1].empty())
            pattern += ";*." + std::string(type.extensions[1]);
        filters.push_back({ pattern, pattern });
    }
    return filters;
}

std::vector<FileFilter> saveFilters()
{
    std::vector<FileFilter> filters;
    for (int saveType = 1; saveType <= kSaveTypeCount; ++saveType) {
        const std::string pattern = "*." + std::string(fileTypeForSaveType(saveType)->name);
        filters.push_back({ pattern, pattern });
    }
    return filters;
}

} // namespace gp
