#pragma once
// The interface pictures come at two densities: the 1x files ("button.800") and the "@2x"
// files ("button@2x.800") drawn with twice the pixels each way for high-density screens. The
// 2x places are the same window coordinates; only the pictures are finer.

#include <QtGlobal>
#include <filesystem>

namespace gp::ui {

struct DensityFile {
    std::filesystem::path path;
    int density = 1; // the picture's pixels per window unit
};

// The density pictures are made at for a screen of device pixel ratio `ratio`: 2 for any ratio
// above 1 (a fractional scale takes the next size up and the painter shrinks it), 1 otherwise.
int pictureDensity(qreal ratio);

// The file to load for a screen of device pixel ratio `ratio`: any ratio above 1 takes the 2x
// file when it exists (a fractional scale takes the next size up and the painter shrinks it),
// the 1x file otherwise.
DensityFile densityFile(const std::filesystem::path& path, qreal ratio);

} // namespace gp::ui
