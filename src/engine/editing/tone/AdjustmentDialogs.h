#pragma once
// The models of the three adjustment dialogs: the slider positions as the dialogs hold them, the
// texts they echo, and the computation that both the After preview and OK run. The window side
// only forwards slider and button changes and shows the texts.
//
// Brightness and Contrast: positions 0..255, 128 at opening, shown as position − 128; channel
// RGB (or "Gray", the only choice for a grayscale image), Red, Green or Blue.
// Hue and Saturation: hue 0..360 opening at 180, saturation 0..200 opening at 100, shown as
// position − 180 and position − 100 followed by "%".
// Tone Adjustment: Highlight, Midtone and Shadow −100..100 opening at 0, the table recomputed at
// every change; Auto sets Highlight and Shadow from the chosen channel's histogram.

#include "editing/tone/ChannelTables.h"
#include "editing/tone/ToneCurve.h"

#include <string>

namespace gp {

class BrightnessContrastModel {
public:
    explicit BrightnessContrastModel(bool grayscale)
        : m_grayscale(grayscale)
    {
    }

    bool grayscale() const { return m_grayscale; }
    int brightnessPosition() const { return m_brightness; }
    int contrastPosition() const { return m_contrast; }
    void setBrightnessPosition(int position);
    void setContrastPosition(int position);
    int brightness() const { return m_brightness - 128; }
    int contrast() const { return m_contrast - 128; }
    std::string brightnessText() const { return std::to_string(brightness()); }
    std::string contrastText() const { return std::to_string(contrast()); }

    ToneChannel channel() const { return m_channel; }
    // A grayscale image offers only its one channel.
    void setChannel(ToneChannel channel);

    // The adjusted image; nothing when both values are 0.
    std::optional<Image> compute(const Image& source, const FilterRun& run) const;

private:
    bool m_grayscale;
    int m_brightness = 128;
    int m_contrast = 128;
    ToneChannel m_channel = ToneChannel::All;
};

class HueSaturationModel {
public:
    int huePosition() const { return m_hue; }
    int saturationPosition() const { return m_saturation; }
    void setHuePosition(int position);
    void setSaturationPosition(int position);
    int hue() const { return m_hue - 180; }
    int saturation() const { return m_saturation - 100; }
    std::string hueText() const { return std::to_string(hue()); }
    std::string saturationText() const { return std::to_string(saturation()) + "%"; }

    // The adjusted image; nothing when both values are 0.
    std::optional<Image> compute(const Image& source, const FilterRun& run) const;

private:
    int m_hue = 180;
    int m_saturation = 100;
};

class ToneModel {
public:
    // The dialog opens with the remembered channel (All for a grayscale image), the sliders at 0
    // and the identity table.
    ToneModel(bool grayscale, ToneChannel channel);

    bool grayscale() const { return m_grayscale; }
    ToneSliders sliders() const { return m_sliders; }
    void setHighlight(int value);
    void setMidtone(int value);
    void setShadow(int value);
    ToneChannel channel() const { return m_channel; }
    void setChannel(ToneChannel channel);
    const LevelTable& table() const { return m_table; }

    // Auto: Highlight and Shadow from the histogram of the chosen channel of the image, as if the
    // user had dragged the two sliders there.
    void autoAdjust(const Image& image);

    std::optional<Image> compute(const Image& source, const FilterRun& run) const;

private:
    void update() { m_table = toneCurve(m_sliders.highlight, m_sliders.midtone, m_sliders.shadow); }

    bool m_grayscale;
    ToneChannel m_channel;
    ToneSliders m_sliders;
    LevelTable m_table = identityTable();
};

} // namespace gp
