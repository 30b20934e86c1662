#include "codecs/HeifLibrary.h"

#include "base/DynamicLibrary.h"

#include <optional>

namespace gp {

namespace {

// The library's name with the major version of the interface the reader is written against.
constexpr const char* kHeifLibrary = "libheif.so.1";

struct LoadedHeif {
    std::optional<DynamicLibrary> library;
    HeifFunctions functions {};
    bool complete = false;

    LoadedHeif()
        : library(DynamicLibrary::open(kHeifLibrary))
    {
        if (!library)
            return;
        bool all = true;
        const auto load = [&](auto& function, const char* name) {
            function = library->function<std::remove_reference_t<decltype(function)>>(name);
            all = all && function != nullptr;
        };
        HeifFunctions& f = functions;
        load(f.checkFiletype, "heif_check_filetype");
        load(f.contextAlloc, "heif_context_alloc");
        load(f.contextFree, "heif_context_free");
        load(f.setMaximumImageSizeLimit, "heif_context_set_maximum_image_size_limit");
        load(f.readFromMemoryWithoutCopy, "heif_context_read_from_memory_without_copy");
        load(f.primaryImageHandle, "heif_context_get_primary_image_handle");
        load(f.handleRelease, "heif_image_handle_release");
        load(f.handleWidth, "heif_image_handle_get_width");
        load(f.handleHeight, "heif_image_handle_get_height");
        load(f.codedWidth, "heif_image_handle_get_ispe_width");
        load(f.codedHeight, "heif_image_handle_get_ispe_height");
        load(f.handleHasAlpha, "heif_image_handle_has_alpha_channel");
        load(f.colorProfileType, "heif_image_handle_get_color_profile_type");
        load(f.rawColorProfileSize, "heif_image_handle_get_raw_color_profile_size");
        load(f.rawColorProfile, "heif_image_handle_get_raw_color_profile");
        load(f.decodingOptionsAlloc, "heif_decoding_options_alloc");
        load(f.decodingOptionsFree, "heif_decoding_options_free");
        load(f.decodeImage, "heif_decode_image");
        load(f.imageRelease, "heif_image_release");
        load(f.planeReadonly, "heif_image_get_plane_readonly");
        load(f.imageWidth, "heif_image_get_width");
        load(f.imageHeight, "heif_image_get_height");
        complete = all;
    }
};

} // namespace

const HeifFunctions* heifFunctions()
{
    // Loaded by the first reader to ask, on whichever thread; the initialisation of a local
    // static is thread-safe.
    static const LoadedHeif loaded;
    return loaded.complete ? &loaded.functions : nullptr;
}

} // namespace gp
