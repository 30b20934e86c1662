// Feeds arbitrary bytes to the printcal.dat reader and prints a small image through whatever
// tables it returns.

#include "print/Calibration.h"

#include "image/Allocator.h"
#include "shell/Host.h"

#include <cstdint>

namespace {

class QuietHost final : public gp::Host {
public:
    void message(std::string_view, std::string_view, gp::Icon) override { }
    gp::Answer ask(std::string_view, std::string_view, gp::Buttons, gp::Icon) override { return gp::Answer::Cancel; }
    void beep() override { }
    void setWaitCursor(bool) override { }
    void setStatus(gp::StatusPane, std::string_view) override { }
    bool escapePressed() override { return false; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto tables = gp::parseCalibration({ data, size });
    if (!tables)
        return 0;
    static QuietHost host;
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
