#pragma once
// Embedded ICC colour profiles: a picture described in another colour space (Adobe RGB, Display
// P3, a camera's own) is converted to sRGB on reading, with the perceptual intent, so pictures
// with and without a profile show and print alike. A profile that is sRGB already costs nothing;
// a damaged one, or one whose colour space does not fit the picture, is ignored and the picture
// kept as it is.

#include "image/Image.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace gp {

struct ProfileOutcome {
    std::optional<std::string> description; // the profile's description; nothing when unreadable
    bool converted = false; // the pixels (or the colour table) were changed
};

// Reads the profile and, when convert is set, converts the picture to sRGB in place: 24-bit
// pixels and colour tables through an RGB profile, 8-bit grayscale through a gray profile.
ProfileOutcome applyColorProfile(Image& image, std::span<const std::uint8_t> profile, bool convert);

// The description of a profile, or nothing when it cannot be read.
std::optional<std::string> profileDescription(std::span<const std::uint8_t> profile);

} // namespace gp
