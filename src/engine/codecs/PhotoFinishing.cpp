#include "codecs/PhotoFinishing.h"

#include "codecs/ColorProfile.h"
#include "image/Orientation.h"

namespace gp {

void finishPhoto(ReadResult& result, const Allocator& allocator, const PhotoFinishingOptions& options)
{
    if (!result.ok())
        return;
    PhotoMetadata& photo = result.photo;
    if (!photo.upright && orientationTurns(photo.orientation)) {
        auto upright = orientImage(*result.image, photo.orientation, allocator);
        if (!upright) {
            const std::string_view format = result.format;
            result = ReadResult::noImage("not enough memory to turn the picture upright");
            result.format = format;
            return;
        }
        *result.image = std::move(*upright);
    }
    photo.upright = true;
    if (!photo.iccProfile.empty()) {
        // The profile's bytes are not needed once it has been applied.
        const ProfileOutcome outcome = applyColorProfile(*result.image, photo.iccProfile, options.convertProfiles);
        photo.profileDescription = outcome.description;
        photo.iccProfile.clear();
        photo.iccProfile.shrink_to_fit();
    }
}

} // namespace gp
