#include "skin/SkinDensity.h"

namespace gp::ui {

int pictureDensity(qreal ratio)
{
    return ratio > 1.0 ? 2 : 1;
}

DensityFile densityFile(const std::filesystem::path& path, qreal ratio)
{
    if (pictureDensity(ratio) > 1) {
        std::filesystem::path fine = path;
        fine.replace_filename(path.stem().string() + "@2x" + path.extension().string());
        std::error_code error;
        if (std::filesystem::is_regular_file(fine, error))
            return { fine, 2 };
    }
    return { path, 1 };
}

} // namespace gp::ui
