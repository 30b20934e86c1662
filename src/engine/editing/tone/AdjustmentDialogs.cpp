#include "editing/tone/AdjustmentDialogs.h"

#include "editing/tone/BrightnessContrast.h"
#include "editing/effects/FilterSupport.h"
#include "editing/tone/HueSaturation.h"

namespace gp {

void BrightnessContrastModel::setBrightnessPosition(int position)
{
    m_brightness = clampInt(position, 0, 255);
}
void BrightnessContrastModel::setContrastPosition(int position)
{
    m_contrast = clampInt(position, 0, 255);
}

void BrightnessContrastModel::setChannel(ToneChannel channel)
{
    if (!m_grayscale)
        m_channel = channel;
}

std::optional<Image> BrightnessContrastModel::compute(const Image& source, const FilterRun& run) const
{
    return brightnessContrast(source, m_channel, brightness(), contrast(), run);
}

void HueSaturationModel::setHuePosition(int position)
{
    m_hue = clampInt(position, 0, 360);
}
void HueSaturationModel::setSaturationPosition(int position)
{
    m_saturation = clampInt(position, 0, 200);
}

std::optional<Image> HueSaturationModel::compute(const Image& source, const FilterRun& run) const
{
    return hueSaturation(source, hue(), saturation(), run);
}

ToneModel::ToneModel(bool grayscale, ToneChannel channel)
    : m_grayscale(grayscale)
    , m_channel(grayscale ? ToneChannel::All : channel)
{
}

void ToneModel::setHighlight(int value)
{
    m_sliders.highlight = clampInt(value, -100, 100);
    update();
}

void ToneModel::setMidtone(int value)
{
    m_sliders.midtone = clampInt(value, -100, 100);
    update();
}

void ToneModel::setShadow(int value)
{
    m_sliders.shadow = clampInt(value, -100, 100);
    update();
}

void ToneModel::setChannel(ToneChannel channel)
{
    if (!m_grayscale)
        m_channel = channel;
}

void ToneModel::autoAdjust(const Image& image)
{
    m_sliders = autoTone(levelHistogram(image, m_channel), m_sliders);
    update();
}

std::optional<Image> ToneModel::compute(const Image& source, const FilterRun& run) const
{
    return applyTone(source, m_channel, m_table, run);
}

} // namespace gp
