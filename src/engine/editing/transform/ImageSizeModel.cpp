#include "editing/transform/ImageSizeModel.h"

#include "editing/transform/RotateDialogModel.h"

#include <limits>
#include <optional>

namespace gp {

namespace {

// Rounds half up by adding 0.5 and truncating, kept inside the range of a dialog field.
int rounded(double value)
{
    value += 0.5;
    if (value >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(value);
}

std::optional<double> number(std::string_view text)
{
    const auto value = parseDialogInteger(text);
    if (!value || *value > std::numeric_limits<int>::max() || *value < std::numeric_limits<int>::min())
        return std::nullopt;
    return double(*value);
}

} // namespace

ImageSizeModel::ImageSizeModel(const Image& image, bool keepAspect)
    : m_bits(image.bitsPerPixel())
    , m_presentWidth(image.width())
    , m_presentHeight(image.height())
    , m_presentResolution(int(image.xPelsPerMeter() * 0.0254 + 0.5))
    , m_ratio(double(image.width()) / double(image.height()))
    , m_width(image.width())
    , m_height(image.height())
    , m_resolution(0)
    , m_keepAspect(keepAspect)
{
    if (m_presentResolution <= 0)
        m_presentResolution = 200;
    m_resolution = m_presentResolution;
}

std::int64_t ImageSizeModel::dataSizeKb() const
{
    return std::int64_t(m_width) * m_height * m_bits / 8192 + 1;
}

bool ImageSizeModel::editWidth(std::string_view text)
{
    const auto w = number(text);
    if (!w)
        return false;
    m_width = int(*w);
    m_widthScale = rounded(100.0 * *w / m_presentWidth);
    if (m_keepAspect) {
        m_height = rounded(*w / m_ratio);
        m_heightScale = m_widthScale;
    }
    return true;
}

bool ImageSizeModel::editWidthScale(std::string_view text)
{
    const auto p = number(text);
    if (!p)
        return false;
    m_widthScale = int(*p);
    m_width = rounded(*p * m_presentWidth * 0.01);
    if (m_keepAspect) {
        m_height = rounded(m_width / m_ratio);
        m_heightScale = m_widthScale;
    }
    return true;
}

bool ImageSizeModel::editHeight(std::string_view text)
{
    const auto h = number(text);
    if (!h)
        return false;
    m_height = int(*h);
    m_heightScale = rounded(100.0 * *h / m_presentHeight);
    if (m_keepAspect) {
        m_width = rounded(m_ratio * *h);
        m_widthScale = m_heightScale;
    }
    return true;
}

bool ImageSizeModel::editHeightScale(std::string_view text)
{
    const auto p = number(text);
    if (!p)
        return false;
    m_heightScale = int(*p);
    m_height = rounded(*p * m_presentHeight * 0.01);
    if (m_keepAspect) {
        m_width = rounded(m_height * m_ratio);
        m_widthScale = m_heightScale;
    }
    return true;
}

bool ImageSizeModel::editResolution(std::string_view text)
{
    const auto r = number(text);
    if (!r)
        return false;
    m_resolution = int(*r);
    return true;
}

bool ImageSizeModel::acceptable() const
{
    if (m_width <= 0 || m_height <= 0 || m_resolution < 0)
        return false;
    return m_width != m_presentWidth || m_height != m_presentHeight || m_resolution != m_presentResolution;
}

} // namespace gp
