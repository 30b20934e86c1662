// Feeds arbitrary bytes to the printcal.dat reader and prints a small image through whatever
// tables it returns.

#include "print/Calibration.h"

#include "image/Allocator.h"
#include "shell/SilentHost.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto tables = gp::parseCalibration({ data, size });
    if (!tables)
        return 0;
    static gp::SilentHost host;
    static const gp::Allocator allocator(host);
    static const gp::Image photo = [] {
        gp::Image image = gp::Image::create(5, 3, 24).value();
        for (int y = 0; y < 3; ++y)
            for (int i = 0; i < 15; ++i)
                image.row(y)[i] = std::uint8_t(17 * y + 29 * i);
        return image;
    }();
    (void)gp::makeCalibratedCopy(photo, *tables, allocator, nullptr);
    return 0;
}
