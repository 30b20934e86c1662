#pragma once
// What every read photo goes through once, after its reader: the orientation tag turns it
// upright (unless the reader already did, as for HEIF), and an embedded colour profile is read
// for its description and, when the setting asks for it, converted to sRGB. Albums, the slide
// show, the page and printing all receive the finished picture.

#include "codecs/ImageFileResult.h"
#include "image/Allocator.h"

namespace gp {

struct PhotoFinishingOptions {
    bool convertProfiles = true;
};

// Changes result's image in place. When the upright copy cannot be allocated the allocator has
// shown its message and the result becomes no image.
void finishPhoto(ReadResult& result, const Allocator& allocator, const PhotoFinishingOptions& options);

} // namespace gp
