#pragma once
// What a file reader and a file writer answer. A reader returns the image, or says the file is
// not in its format (the dispatcher then tries the other readers), or that the file cannot be
// opened or read (the dispatcher stops), or gives no image (it has shown its message if it has
// one). A writer says the file was written, that a write failed (the caller reports it), or that
// nothing was written and the writer has already said why.

#include "base/Result.h"
#include "image/Image.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gp {

// What a reader found beside the pixels that changes how the picture is shown: the orientation
// tag and the embedded colour profile. The dispatcher applies both once, after the reader.
struct PhotoMetadata {
    int orientation = 1; // the file's orientation tag 1..8; 1 when it has none
    bool upright = false; // the reader has already turned the picture (HEIF container transforms)
    std::vector<std::uint8_t> iccProfile; // empty when the file embeds none
    std::optional<std::string> profileDescription; // set once the profile has been read
};

enum class ReadStatus { Read, NotThisFormat, CannotRead, NoImage };

struct ReadResult {
    ReadStatus status = ReadStatus::NoImage;
    std::optional<Image> image; // set only with ReadStatus::Read
    std::string detail; // why there is no image, for logs and the command-line tool
    std::string_view format; // the type whose reader answered ("BMP"), set by the dispatcher
    PhotoMetadata photo;

    static ReadResult read(Image image) { return { ReadStatus::Read, std::move(image), {}, {}, {} }; }
    static ReadResult notThisFormat(std::string detail)
    {
        return { ReadStatus::NotThisFormat, {}, std::move(detail), {}, {} };
    }
    static ReadResult cannotRead(std::string detail) { return { ReadStatus::CannotRead, {}, std::move(detail), {}, {} }; }
    static ReadResult noImage(std::string detail) { return { ReadStatus::NoImage, {}, std::move(detail), {}, {} }; }

    bool ok() const { return status == ReadStatus::Read; }
};

enum class WriteResult { WriteError = 0, Written = 1, Reported = 2 };

} // namespace gp
