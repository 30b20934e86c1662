#pragma once
// The table of image file types the program reads and writes, in its fixed order (the order of
// the content fall-back and of the file dialogs' type lists), with the extension and save-type
// rules built on it and the remembered save options.

#include "codecs/ImageFileResult.h"
#include "codecs/SaveOptions.h"
#include "shell/Host.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace gp {

struct ImageFileContext;

// The program's own eight types first, in their fixed order, then today's photo formats.
enum class FileType { Bmp, Tif, Pcx, Gif, Tga, Jpg, Pcd, Fpx, Png, Webp, Heic };

inline constexpr std::size_t kImageFileTypeCount = 11;

using ImageReader = ReadResult (*)(const std::string& path, const ImageFileContext& files);
using ImageWriter = WriteResult (*)(const std::string& path, const Image& image, const ImageFileContext& files);

struct ImageFileType {
    FileType type;
    std::string_view name; // "JPG"
    std::array<std::string_view, 2> extensions; // upper case; the second may be empty
    int saveType; // 1..8; 0 for a type that is only read
    ImageReader reader; // null while the codec is not built in
    ImageWriter writer; // null for a read-only or missing codec
    // A null reader's answer: formats read through external libraries cannot be read without
    // them; a missing built-in codec lets the fall-back go on.
    ReadStatus whenMissing;
};

const std::array<ImageFileType, kImageFileTypeCount>& imageFileTypes();

// The extension of a name: the characters after the last "." that follows the last "/" or "\",
// in upper case; empty when there is none or it is longer than seven characters.
std::string extensionOf(std::string_view name);
// The type an extension (upper case, without the dot) names, or null.
const ImageFileType* fileTypeForExtension(std::string_view extension);
// The type of save type 1..8, or null.
const ImageFileType* fileTypeForSaveType(int saveType);
// The save type's default extension with its dot (".JPG"); empty for an unknown type.
std::string_view defaultExtension(int saveType);

// The file dialogs' type lists: "All Image Files" then one pattern per type (both extensions of
// the photo formats that have two), and the Save As list in save-type order.
std::vector<FileFilter> openFilters();
std::vector<FileFilter> saveFilters();

} // namespace gp
