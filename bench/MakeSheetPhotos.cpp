// Writes the label-sheet benchmark's photos as JPEG files (quality 90) for the command-line
// runs: make_sheet_photos DIR COUNT writes DIR/photo-00.jpg .. photo-(COUNT-1).jpg.

#include "SheetPhotos.h"
#include "codecs/JpegWriter.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_sheet_photos DIR COUNT\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int count = std::atoi(argv[2]);
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/photo-%02d.jpg", i);
        const std::string path = folder + name;
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file) {
            std::perror(path.c_str());
            return 1;
        }
        const gp::Image photo = gp::bench::sheetPhoto(i);
        const bool written = gp::encodeJpeg(file, photo, 90) == gp::WriteResult::Written;
        if (std::fclose(file) != 0 || !written) {
            std::fprintf(stderr, "make_sheet_photos: could not write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
