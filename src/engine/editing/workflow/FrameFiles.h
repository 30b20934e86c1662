#pragma once
// Reading a frame from its files: the picture through the codecs (widened to 24 bits), its mask
// from the same name with ".msk" (an 8-bit grayscale image in any format the codecs read), and the
// offset table from ".off". The shipped frames live in the program folder's "frames" folder.

#include "editing/workflow/WorkflowState.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace gp {

struct ImageFileContext;
struct Paths;

// Nothing when the picture or its mask cannot be read, or the memory cannot be had: a frame
// without its mask is not shown.
std::optional<FrameArtwork> readFrameArtwork(const ImageFileContext& files, const std::string& picturePath);

// The frame pictures in folder (files of a type the codecs read that have a ".msk" beside them),
// sorted by name.
std::vector<std::filesystem::path> framePictures(const std::filesystem::path& folder);

// The program folder's frames.
std::filesystem::path shippedFramesFolder(const Paths& paths);

} // namespace gp
