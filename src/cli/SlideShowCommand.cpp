// glimmerpress-cli slideshow frames: the first photo of an album brought in by one transition,
// every step written as a PNG of the whole screen.

#include "Commands.h"
#include "Json.h"
#include "album/AlbumPhotoReader.h"
#include "album/SlideFrame.h"
#include "album/SlideList.h"
#include "album/Transition.h"
#include "gfx/QtImage.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

#include <QImage>
#include <QString>
#include <charconv>
#include <cstdio>
#include <iostream>

namespace gp::cli {

namespace {

constexpr std::string_view kUsage = "slideshow frames FILE.abm --effect N --size WxH OUTDIR";

bool parseInt(std::string_view text, int& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool parseSize(std::string_view text, Size& size)
{
    const std::size_t x = text.find('x');
    return x != std::string_view::npos && parseInt(text.substr(0, x), size.width)
        && parseInt(text.substr(x + 1), size.height) && size.width > 0 && size.height > 0 && size.width <= 16384
        && size.height <= 16384;
}

// Writes the frame after every step of the transition.
class FrameWriter : public SteadyTransitionDriver {
public:
    FrameWriter(const Image& frame, std::filesystem::path outDir)
        : m_frame(&frame)
        , m_outDir(std::move(outDir))
    {
    }

    void showStep() override { write(); }

    bool write()
    {
        char name[32];
        std::snprintf(name, sizeof name, "frame%04d.png", ++m_count);
        const bool ok = gfx::toQImage(*m_frame).save(QString::fromStdString((m_outDir / name).string()), "PNG");
        m_failed = m_failed || !ok;
        return ok;
    }
    int count() const { return m_count; }
    bool failed() const { return m_failed; }

private:
    const Image* m_frame;
    std::filesystem::path m_outDir;
    int m_count = 0;
    bool m_failed = false;
};

} // namespace

int runSlideShow(CliContext& c)
{
    const auto& a = c.args;
    if (a.size() == 1 && a[0] == "--help") {
        std::cout << "usage: glimmerpress-cli " << kUsage
                  << "\n\n"
                     "Shows the album's first photo on a black screen of W x H pixels with transition N\n"
                     "(0 plain copy, 1..132) and writes OUTDIR/frameNNNN.png after every step.\n";
        return kExitOk;
    }
    std::vector<std::string> positional;
    int effect = -1;
    Size screen;
    bool sized = false;
    for (std::size_t i = 1; i < a.size(); ++i) {
        if (a[i] == "--effect" && i + 1 < a.size()) {
            if (!parseInt(a[++i], effect) || effect < 0 || effect > kTransitionCount)
                return usageError(kUsage);
        } else if (a[i] == "--size" && i + 1 < a.size()) {
            sized = parseSize(a[++i], screen);
            if (!sized)
                return usageError(kUsage);
        } else {
            positional.push_back(a[i]);
        }
    }
    if (a.empty() || a[0] != "frames" || positional.size() != 2 || effect < 0 || !sized)
        return usageError(kUsage);
    const std::string& albumFile = positional[0];
    const std::filesystem::path outDir = positional[1];

    auto slides = readSlideList(albumFile, c.app.paths().programDir);
    if (!slides || slides->empty()) {
        c.host.message(text(StringId::CaptionWarning), text(StringId::NoImagesInAlbum), Icon::Warning);
        return kExitFailed;
    }
    std::error_code error;
    std::filesystem::create_directories(outDir, error);
    auto frame = c.app.allocator().image(screen.width, screen.height, 24);
    if (!frame)
        return kExitFailed;
    fillBlack(*frame);
    FrameWriter writer(*frame, outDir);

    const Slide& slide = slides->front();
    std::optional<Image> photo = readPhotoQuietly(c.app.imageFiles(), slide.path, PhotoCdReadMode::SlideShow);
    const SlidePlacement placement
        = photo ? placeSlide({ photo->width(), photo->height() }, screen) : SlidePlacement {};
    std::optional<Image> fitted;
    if (photo)
        fitted = fitSlidePicture(*photo, placement.fitted, c.app.gammaTables(), c.app.allocator());
    if (!fitted) {
        writer.write();
        std::cerr << unreadableSlideCaption(slide.path) << '\n';
        return kExitFailed;
    }
    ImageSlideCanvas canvas(*frame, *fitted, placement.offset);
    ClassicRandom random(std::uint32_t(writer.milliseconds() / 100));
    (void)runTransition(effect, canvas, placement.fitted, writer, random);
    std::cout << JsonLine()
                     .add("file", albumFile)
                     .add("photo", slide.path)
                     .add("caption", slide.caption)
                     .add("effect", effect)
                     .add("frames", writer.count())
                     .addRaw("picture",
                         "[" + std::to_string(placement.offset.x) + "," + std::to_string(placement.offset.y) + ","
                             + std::to_string(placement.fitted.width) + "," + std::to_string(placement.fitted.height)
                             + "]")
                     .str()
              << '\n';
    return writer.failed() ? kExitFailed : kExitOk;
}

} // namespace gp::cli
