#pragma once
// Decodes any of the five sizes of a Photo CD image pack to YCC planes (luma at full size, chroma
// at half size), in the stored landscape orientation.
//   Base/16, Base/4, Base: read from their fixed sectors.
//   4Base: Base luma doubled plus the luma residuals of the pack; chroma is Base chroma doubled.
//   16Base: 4Base luma doubled plus its luma residuals; 4Base chroma doubled plus its chroma residuals.
// Fails with Truncated or Malformed for a damaged pack and with Io when shouldAbort answered true.

#include "PcdImagePack.h"

#include <functional>

namespace gp::pcd {

Result<YccPicture> decodePicture(
    std::span<const std::uint8_t> file, const PackInfo& info, Level level, const std::function<bool()>& shouldAbort);

} // namespace gp::pcd
