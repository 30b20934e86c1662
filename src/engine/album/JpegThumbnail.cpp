#include "album/JpegThumbnail.h"

#include "album/Thumbnail.h"
#include "codecs/ExifOrientation.h"
#include "codecs/JpegErrorHandler.h"
#include "codecs/JpegReader.h"
#include "image/Image.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace gp {

namespace {

// The library state and the rows kept, outside the function that calls setjmp.
struct Decoding {
    jpeg_decompress_struct info;
    JpegErrorHandler error;
    std::size_t ceiling = 0;
    int density = 1;
    int width = 0;
    int height = 0;
    int components = 0;
    std::int32_t xPels = 0;
    std::int32_t yPels = 0;
    Size thumbnailSize;
    // The file rows (top-down) the thumbnail takes, ascending and without repeats, and their pixels.
    std::vector<int> wantedRows;
    std::optional<Image> rows;
    // A row for the rows passed over when they cannot be skipped.
    std::vector<std::uint8_t> scratch;
    bool complete = false;
};

// The file rows the thumbnail samples: its stored row y takes the photo's stored row
// thumbnailSourceRow(y), which is file row height - 1 - that.
std::vector<int> wantedFileRows(int photoHeight, int thumbnailHeight)
{
    std::vector<int> rows;
    for (int y = 0; y < thumbnailHeight; ++y)
        rows.push_back(photoHeight - 1 - thumbnailSourceRow(y, photoHeight, thumbnailHeight));
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

// Whether the library's row skipping gives the wanted rows exactly as a full decode does. It
// does when no colour component is subsampled vertically, and when a component's colour is
// stretched over two rows by the smooth filter that reads the neighbouring rows (half height,
// at full or half width, and at half width only when the component is wider than two
// samples). Other stretchings fill several rows at once and the skipping loses their rows'
// places, so those files have every row decoded.
bool skippingKeepsRows(const jpeg_decompress_struct& info)
{
    if (!info.do_fancy_upsampling)
        return false;
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        if (component.h_samp_factor <= 0 || component.v_samp_factor <= 0)
            return false;
        if (info.max_v_samp_factor == component.v_samp_factor)
            continue;
        if (info.max_v_samp_factor != 2 * component.v_samp_factor)
            return false;
        if (info.max_h_samp_factor == component.h_samp_factor)
            continue;
        if (info.max_h_samp_factor != 2 * component.h_samp_factor)
            return false;
        const unsigned long long samples
            = (unsigned long long)info.image_width * unsigned(component.h_samp_factor);
        const unsigned long long width = (samples + unsigned(info.max_h_samp_factor) - 1) / unsigned(info.max_h_samp_factor);
        if (width <= 2)
            return false;
    }
    return true;
}

// Whether the ordinary reader takes the decoded rows as they are: it turns a photo upright by
// its EXIF orientation tag and may convert an embedded colour profile, so photos with either are
// left to it. The library keeps the segments because jpeg_save_markers asked it to.
bool rowsNeedNoFinishing(const jpeg_decompress_struct& info)
{
    static constexpr char kExifHeader[6] = { 'E', 'x', 'i', 'f', 0, 0 };
    static constexpr char kProfileHeader[12] = { 'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0 };
    bool exifSeen = false;
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker; marker = marker->next) {
        if (marker->marker == JPEG_APP0 + 1 && !exifSeen && marker->data_length >= sizeof kExifHeader
            && std::memcmp(marker->data, kExifHeader, sizeof kExifHeader) == 0) {
            exifSeen = true; // the ordinary reader reads the first EXIF segment only
            if (exifOrientation({ marker->data, marker->data_length }) != 1)
                return false;
        }
        if (marker->marker == JPEG_APP0 + 2 && marker->data_length >= sizeof kProfileHeader
            && std::memcmp(marker->data, kProfileHeader, sizeof kProfileHeader) == 0)
            return false;
    }
    return true;
}

void decode(Decoding& d, std::FILE* file)
{
    d.info.err = installJpegErrorHandler(d.error);
    if (setjmp(d.error.recovery)) {
        jpeg_destroy_decompress(&d.info);
        return;
    }
    jpeg_create_decompress(&d.info);
    d.info.mem->max_memory_to_use = long(std::min<std::size_t>(d.ceiling, LONG_MAX));
    jpeg_stdio_src(&d.info, file);
    jpeg_save_markers(&d.info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_save_markers(&d.info, JPEG_APP0 + 2, 0xFFFF);
    jpeg_read_header(&d.info, TRUE);
    if (!rowsNeedNoFinishing(d.info)) {
        jpeg_destroy_decompress(&d.info);
        return;
    }
    if (d.info.out_color_space == JCS_RGB)
        d.info.out_color_space = JCS_EXT_BGR;
    jpeg_calc_output_dimensions(&d.info);
    d.width = int(d.info.output_width);
    d.height = int(d.info.output_height);
    d.components = d.info.output_components;
    const auto whole = Image::rowSizeFor(d.width, 8 * std::max(d.components, 1));
    // The ordinary reader would refuse these; leave it to say so.
    if ((d.components != 1 && d.components != 3) || d.width <= 0 || d.height <= 0 || d.width > 0xFFFF
        || d.height > 0xFFFF || !whole || whole.value() * std::size_t(d.height) > d.ceiling) {
        jpeg_destroy_decompress(&d.info);
        return;
    }
    d.xPels = jfifDensityToPelsPerMeter(d.info.density_unit, d.info.X_density);
    d.yPels = jfifDensityToPelsPerMeter(d.info.density_unit, d.info.Y_density);
    d.thumbnailSize = thumbnailSize(d.width, d.height);
    d.thumbnailSize = { d.thumbnailSize.width * d.density, d.thumbnailSize.height * d.density };
    d.wantedRows = wantedFileRows(d.height, d.thumbnailSize.height);
    auto rows = Image::create(d.width, int(d.wantedRows.size()), 8 * d.components, d.components == 1 ? 256 : 0);
    if (!rows) {
        jpeg_destroy_decompress(&d.info);
        return;
    }
    d.rows = std::move(rows).value();
    const bool skip = skippingKeepsRows(d.info);
    if (!skip)
        d.scratch.resize(whole.value());
    jpeg_start_decompress(&d.info);
    // Rows between the wanted ones are skipped where that is exact: block rows without a wanted
    // row are then only entropy-decoded, and the other rows of a block row skip the colour
    // conversion. Otherwise the rows between pass through one scratch row.
    JSAMPROW scratch = d.scratch.data();
    for (std::size_t i = 0; i < d.wantedRows.size(); ++i) {
        const auto wanted = JDIMENSION(d.wantedRows[i]);
        if (skip && d.info.output_scanline < wanted) {
            const JDIMENSION gap = wanted - d.info.output_scanline;
            if (jpeg_skip_scanlines(&d.info, gap) != gap) {
                jpeg_destroy_decompress(&d.info);
                return;
            }
        }
        while (d.info.output_scanline < wanted)
            if (jpeg_read_scanlines(&d.info, &scratch, 1) != 1) {
                jpeg_destroy_decompress(&d.info);
                return;
            }
        JSAMPROW row = d.rows->row(int(i));
        if (jpeg_read_scanlines(&d.info, &row, 1) != 1) {
            jpeg_destroy_decompress(&d.info);
            return;
        }
    }
    // The rest of the file is of no use; a warning count above zero means the data was damaged
    // and the ordinary reader's handling of damage must decide.
    d.complete = d.error.manager.num_warnings == 0;
    jpeg_abort_decompress(&d.info);
    jpeg_destroy_decompress(&d.info);
}

// Decodes the rows the thumbnail samples and samples them; nothing when the quick road is not sure.
std::optional<Image> decodeThumbnail(Decoding& d, std::FILE* file)
{
    decode(d, file);
    if (!d.complete || !d.rows)
        return std::nullopt;
    Image& rows = *d.rows;
    if (d.components == 1)
        for (int i = 0; i < 256; ++i)
            rows.setColor(i, Rgbq { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
    auto thumbnail = Image::create(d.thumbnailSize.width, d.thumbnailSize.height, 24);
    if (!thumbnail)
        return std::nullopt;
    thumbnail->setResolution(d.xPels, d.yPels);
    // Photo stored row r is file row height - 1 - r, kept at its place among the wanted rows,
    // which the rows image holds top-down.
    const auto storedRowOf = [&](int storedRow) {
        const int fileRow = d.height - 1 - storedRow;
        const auto at = std::lower_bound(d.wantedRows.begin(), d.wantedRows.end(), fileRow);
        return static_cast<const Image&>(rows).row(int(at - d.wantedRows.begin()));
    };
    sampleThumbnail(rows, storedRowOf, d.height, thumbnail.value());
    return std::move(thumbnail).value();
}

} // namespace

std::optional<PhotoItem> jpegThumbnailItem(const std::string& path, std::size_t blockCeiling)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return std::nullopt;
    std::optional<PhotoItem> item = jpegThumbnailItem(file, path, blockCeiling);
    std::fclose(file);
    return item;
}

std::optional<PhotoItem> jpegThumbnailItem(std::FILE* file, const std::string& path, std::size_t blockCeiling)
{
    Decoding d;
    d.ceiling = blockCeiling;
    const std::optional<Image> thumbnail = decodeThumbnail(d, file);
    if (!thumbnail)
        return std::nullopt;
    return thumbnailItem(*thumbnail, path, 8 * d.components, { d.width, d.height });
}

std::optional<SizedThumbnail> jpegThumbnail(const std::string& path, std::size_t blockCeiling, int density)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return std::nullopt;
    std::optional<SizedThumbnail> thumbnail = jpegThumbnail(file, blockCeiling, density);
    std::fclose(file);
    return thumbnail;
}

std::optional<SizedThumbnail> jpegThumbnail(std::FILE* file, std::size_t blockCeiling, int density)
{
    if (density < 1)
        return std::nullopt;
    Decoding d;
    d.ceiling = blockCeiling;
    d.density = density;
    std::optional<Image> thumbnail = decodeThumbnail(d, file);
    if (!thumbnail)
        return std::nullopt;
    return SizedThumbnail { std::move(*thumbnail), { d.width, d.height } };
}

} // namespace gp
