#pragma once
// The HEIF library's functions that the HEIF reader calls, loaded the first time a HEIF file is
// read instead of with the program: the library brings several video codecs whose start-up
// would add about 2 MiB to every run, most of which never meets a HEIF file.

#include <libheif/heif.h>

namespace gp {

struct HeifFunctions {
    decltype(&heif_check_filetype) checkFiletype;
    decltype(&heif_context_alloc) contextAlloc;
    decltype(&heif_context_free) contextFree;
    decltype(&heif_context_set_maximum_image_size_limit) setMaximumImageSizeLimit;
    decltype(&heif_context_read_from_memory_without_copy) readFromMemoryWithoutCopy;
    decltype(&heif_context_get_primary_image_handle) primaryImageHandle;
    decltype(&heif_image_handle_release) handleRelease;
    decltype(&heif_image_handle_get_width) handleWidth;
    decltype(&heif_image_handle_get_ispe_width) codedWidth;
    decltype(&heif_image_handle_get_ispe_height) codedHeight;
    decltype(&heif_image_handle_get_height) handleHeight;
    decltype(&heif_image_handle_has_alpha_channel) handleHasAlpha;
    decltype(&heif_image_handle_get_color_profile_type) colorProfileType;
    decltype(&heif_image_handle_get_raw_color_profile_size) rawColorProfileSize;
    decltype(&heif_image_handle_get_raw_color_profile) rawColorProfile;
    decltype(&heif_decoding_options_alloc) decodingOptionsAlloc;
    decltype(&heif_decoding_options_free) decodingOptionsFree;
    decltype(&heif_decode_image) decodeImage;
    decltype(&heif_image_release) imageRelease;
    decltype(&heif_image_get_plane_readonly) planeReadonly;
    decltype(&heif_image_get_width) imageWidth;
    decltype(&heif_image_get_height) imageHeight;
};

// The functions, loaded once for the rest of the run; null when the library cannot be loaded or
// lacks one of them.
const HeifFunctions* heifFunctions();

} // namespace gp
