#include "print/Calibration.h"

#include "base/ByteReader.h"
#include "image/Allocator.h"
#include "image/ImageType.h"
#include "shell/Host.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <numeric>
#include <vector>

namespace gp {

namespace {

constexpr std::uint8_t kTag[4] = { 'P', 'C', 'A', 'L' };
constexpr int kRowsPerProgress = 16;
constexpr std::size_t kBytesPerProgress = 8192;

LookupTable identityTable()
{
    LookupTable t;
    std::iota(t.begin(), t.end(), 0);
    return t;
}

LookupTable compose(const LookupTable& outer, const LookupTable& inner)
{
    LookupTable t;
    for (std::size_t i = 0; i < t.size(); ++i)
        t[i] = outer[inner[i]];
    return t;
}

// Maps the pixel bytes of a grey or 24-bit image row by row; the row filler stays zero.
void mapPixels(const Image& source, Image& copy, const WorkingTables& w, const ProgressSink& progress)
{
    const int height = source.height();
    const int width = source.width();
    for (int i = 0; i < height; ++i) {
        if (progress && i % kRowsPerProgress == 0)
            progress(static_cast<int>(std::int64_t(i) * 100 / height));
        const std::uint8_t* in = source.storedRow(i);
        std::uint8_t* out = copy.storedRow(i);
        if (w.grayscale) {
            for (int x = 0; x < width; ++x)
                out[x] = w.gray[in[x]];
        } else {
            for (int x = 0; x < width; ++x) {
                out[3 * x] = w.blue[in[3 * x]];
                out[3 * x + 1] = w.green[in[3 * x + 1]];
                out[3 * x + 2] = w.red[in[3 * x + 2]];
            }
        }
    }
}

// Maps the colour table of an indexed image and copies its pixels.
void mapColorTable(const Image& source, Image& copy, const WorkingTables& w, const ProgressSink& progress)
{
    for (int i = 0; i < source.colorCount(); ++i) {
        const Rgbq c = source.color(i);
        copy.setColor(i, Rgbq { w.blue[c.blue], w.green[c.green], w.red[c.red], 0 });
    }
    const auto in = source.pixels();
    const auto out = copy.pixels();
    const std::size_t total = std::min(in.size(), out.size());
    for (std::size_t done = 0; done < total; done += kBytesPerProgress) {
        if (progress)
            progress(static_cast<int>(done * 100 / total));
        std::memcpy(out.data() + done, in.data() + done, std::min(kBytesPerProgress, total - done));
    }
}

} // namespace

CalibrationTables CalibrationTables::identity()
{
    const LookupTable t = identityTable();
    return { t, t, t, t, t };
}

Result<CalibrationTables> parseCalibration(std::span<const std::uint8_t> bytes)
{
    ByteReader reader(bytes);
    auto tag = reader.readBytes(sizeof kTag);
    if (!tag)
        return tag.error();
    if (!std::equal(tag->begin(), tag->end(), kTag))
        return makeError(ErrorKind::Malformed, "printcal.dat: no PCAL tag");
    if (auto skipped = reader.seek(kCalibrationHeaderSize); !skipped)
        return skipped.error();
    CalibrationTables tables;
    for (LookupTable* table : { &tables.master, &tables.red, &tables.green, &tables.blue, &tables.gray }) {
        auto data = reader.readBytes(table->size());
        if (!data)
            return data.error();
        std::copy(data->begin(), data->end(), table->begin());
    }
    return tables;
}

CalibrationTables loadCalibration(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return CalibrationTables::identity();
    std::vector<std::uint8_t> bytes(kCalibrationHeaderSize + kCalibrationDataSize);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    auto tables = parseCalibration(bytes);
    return tables ? *tables : CalibrationTables::identity();
}

bool WorkingTables::isIdentity() const
{
    const LookupTable id = identityTable();
    if (grayscale)
        return gray == id;
    return red == id && green == id && blue == id;
}

WorkingTables workingTables(const CalibrationTables& tables, bool grayscale)
{
    WorkingTables w;
    w.grayscale = grayscale;
    if (grayscale) {
        w.gray = tables.gray;
        w.red = w.green = w.blue = identityTable();
    } else {
        w.red = compose(tables.red, tables.master);
        w.green = compose(tables.green, tables.master);
        w.blue = compose(tables.blue, tables.master);
        w.gray = identityTable();
    }
    return w;
}

std::optional<Image> makeCalibratedCopy(
    const Image& image, const CalibrationTables& tables, const Allocator& allocator, const ProgressSink& progress)
{
    const ImageType type = imageTypeOf(&image);
    if (type == ImageType::None)
        return std::nullopt;
    const WorkingTables w = workingTables(tables, type == ImageType::Gray8);
    if (w.isIdentity())
        return std::nullopt;

    Host& host = allocator.host();
    host.setWaitCursor(true);
    std::optional<Image> copy
        = allocator.image(image.width(), image.height(), image.bitsPerPixel(), image.colorCount());
    if (copy) {
        copy->setResolution(image.xPelsPerMeter(), image.yPelsPerMeter());
        if (type == ImageType::Gray8 || type == ImageType::Rgb24) {
            std::copy(image.colorTable().begin(), image.colorTable().end(), copy->colorTable().begin());
            mapPixels(image, *copy, w, progress);
        } else {
            mapColorTable(image, *copy, w, progress);
        }
        if (progress)
            progress(100);
    }
    host.setWaitCursor(false);
    return copy;
}

std::optional<Image> makePrintCalibratedCopy(const Image& image, int printCalFlag,
    const std::filesystem::path& tablesFile, const Allocator& allocator, const ProgressSink& progress)
{
    if (printCalFlag == 0 || imageTypeOf(&image) == ImageType::None)
        return std::nullopt;
    return makeCalibratedCopy(image, loadCalibration(tablesFile), allocator, progress);
}

} // namespace gp
