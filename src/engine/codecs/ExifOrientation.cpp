#include "codecs/ExifOrientation.h"

#include <libexif/exif-data.h>
#include <libexif/exif-utils.h>


namespace gp {

int exifOrientation(std::span<const std::uint8_t> block)
{
    // A JPEG segment holds at most 64 KiB, which is all the library reads of a block anyway.
    if (block.size() < 6 || block.size() > 0xFFFF)
        return 1;
    ExifData* data = exif_data_new();
    if (!data)
        return 1;
    // Only the directories are wanted: the maker notes stay unparsed and nothing is rewritten.
    exif_data_unset_option(data, EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_unset_option(data, EXIF_DATA_OPTION_IGNORE_UNKNOWN_TAGS);
    exif_data_set_option(data, EXIF_DATA_OPTION_DONT_CHANGE_MAKER_NOTE);
    exif_data_load_data(data, block.data(), static_cast<unsigned int>(block.size()));
    int orientation = 1;
    ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
    if (entry && entry->format == EXIF_FORMAT_SHORT && entry->components >= 1 && entry->data && entry->size >= 2) {
        const int value = exif_get_short(entry->data, exif_data_get_byte_order(data));
        if (value >= 1 && value <= 8)
            orientation = value;
    }
    exif_data_unref(data);
    return orientation;
}

} // namespace gp
