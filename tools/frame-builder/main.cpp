// Draws the shipped frames into <data folder>/frames: for each frame the picture (JPEG), its mask
// (an 8-bit grayscale bitmap the size of the window, ".msk") and its offset table (".off", the
// window's place for every template cell).

#include "FrameArt.h"

#include "codecs/BmpWriter.h"
#include "codecs/JpegWriter.h"
#include "image/Image.h"
#include "shell/Host.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

using namespace gp;

// The builder has nobody to ask; messages go to the build log.
class BuildHost final : public Host {
public:
    void message(std::string_view caption, std::string_view text, Icon) override
    {
        std::cerr << caption << ": " << text << '\n';
    }
    Answer ask(std::string_view, std::string_view, Buttons, Icon) override { return Answer::No; }
    void beep() override { }
    void setWaitCursor(bool) override { }
    void setStatus(StatusPane, std::string_view) override { }
    bool escapePressed() override { return false; }
};

std::uint8_t toByte(double v) { return std::uint8_t(std::clamp(v + 0.5, 0.0, 255.0)); }

Image paintPicture(const frames::FrameDesign& design)
{
    Image picture = Image::create(design.width, design.height, 24).value();
    for (int y = 0; y < design.height; ++y) {
        std::uint8_t* row = picture.row(y);
        for (int x = 0; x < design.width; ++x) {
            const frames::Colour c = design.paint(x, y);
            row[3 * x] = toByte(c.blue);
            row[3 * x + 1] = toByte(c.green);
            row[3 * x + 2] = toByte(c.red);
        }
    }
    // 72 dots per inch, as the frames are meant for the screen and a photo's size.
    picture.setResolution(2835, 2835);
    return picture;
}

Image paintMask(const frames::FrameDesign& design)
{
    const Rect w = design.window;
    Image mask = Image::create(w.width(), w.height(), 8, 256).value();
    for (int i = 0; i < 256; ++i)
        mask.setColor(i, { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
    for (int v = 0; v < w.height(); ++v) {
        std::uint8_t* row = mask.row(v);
        for (int u = 0; u < w.width(); ++u) {
            const double inside = design.inside(u + 0.5, v + 0.5);
            const double weight = design.feather > 0 ? inside / design.feather : (inside > 0 ? 1.0 : 0.0);
            row[u] = toByte(255 * std::clamp(weight, 0.0, 1.0));
        }
    }
    return mask;
}

bool writeOffsets(const std::filesystem::path& path, const frames::FrameDesign& design)
{
    // Every cell uses the same window: its lower left corner counted from the picture's.
    std::ofstream out(path);
    for (int cell = 0; cell < 256; ++cell)
        out << design.window.left << ' ' << design.height - design.window.bottom << ",\n";
    return bool(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: glimmer-frame-builder DATA-FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = std::filesystem::path(argv[1]) / "frames";
    std::filesystem::create_directories(folder);
    BuildHost host;
    for (const auto& design : frames::frameDesigns()) {
        const auto base = folder / design.name;
        const Image picture = paintPicture(design);
        const Image mask = paintMask(design);
        if (writeJpegFile(base.string() + ".jpg", picture, 92, host) != WriteResult::Written
            || writeBmpFile(base.string() + ".msk", mask) != WriteResult::Written
            || !writeOffsets(base.string() + ".off", design)) {
            std::cerr << "could not write the frame " << design.name << '\n';
            return 1;
        }
    }
    return 0;
}
