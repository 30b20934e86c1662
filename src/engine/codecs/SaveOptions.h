#pragma once
// The save options the Save As dialog remembers while the program runs; they are not stored and
// start from these values each run.

#include <string>

namespace gp {

inline constexpr int kSaveTypeCount = 8;
inline constexpr int kSaveTypeJpeg = 6;
inline constexpr int kSaveTypeGif = 4;

struct SaveOptions {
    int openFilter = 1; // 1 is "All Image Files", then one per type in table order
    int saveType = kSaveTypeJpeg;
    bool compress = false; // TIFF and TGA
    int quality = 90; // JPEG and FlashPix, 1..100
    std::string lastSaveDirectory;
};

} // namespace gp
