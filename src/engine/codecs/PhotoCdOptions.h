#pragma once
// The Photo CD choices kept while the program runs: the data type and resolution of the options
// dialog, and the read mode the caller of the next read sets (the read puts it back to Ask).

namespace gp {

enum class PhotoCdReadMode {
    Ask = 0, // show the options dialog (the Open command)
    Settings = 1, // use the kept data type and resolution
    SlideShow = 2, // Medium, 24-bit
    AlbumThumbnail = 3 // Thumbnail, 24-bit
};

inline constexpr int kPhotoCdRgb24 = 0;
inline constexpr int kPhotoCdGray8 = 1;
inline constexpr int kPhotoCdThumbnail = 0;
inline constexpr int kPhotoCdMedium = 2;
inline constexpr int kPhotoCdFull = 4;

struct PhotoCdOptions {
    int dataType = kPhotoCdRgb24; // 0 "24-bit RGB", 1 "8-bit Grayscale"
    int resolution = kPhotoCdMedium; // 0 Thumbnail, 1 Small, 2 Medium, 3 Large, 4 Full
    PhotoCdReadMode readMode = PhotoCdReadMode::Ask;
};

} // namespace gp
