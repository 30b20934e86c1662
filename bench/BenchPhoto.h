#pragma once
// The benchmarks' test photo: a 6000 × 4000 24-bit picture with smooth colour gradients and a
// little noise, like a camera's, made in memory so every run measures the same pixels.

#include "image/Image.h"
#include "shell/SilentHost.h"

namespace gp::bench {

inline constexpr int kPhotoWidth = 6000;
inline constexpr int kPhotoHeight = 4000;

const Image& photo();

// Smooth gradients with a little texture in every pixel, so that effects which depend on content
// (Melting, Painting) and reductions do work comparable to a photo's.
const Image& texturedPhoto();

} // namespace gp::bench
