#pragma once
// The models of the Blur and Sharpen dialog and of the effects browser: the chosen command and
// its intensity (1..100), the title, and the computation that both the After preview and the
// apply step run.

#include "editing/effects/FilterCommands.h"

#include <string_view>

namespace gp {

class FilterDialogModel {
public:
    // command is Blur (253), Sharpen (254) or an effect (300..317).
    FilterDialogModel(int command, int intensity);

    int command() const { return m_command; }
    int intensity() const { return m_intensity; }
    void setIntensity(int intensity);
    // "Blur" or "Sharpen" for the filter dialog, the effect's name for the browser.
    std::string_view title() const;

    // The effects browser picks the effect from its list (index 0..17).
    int effectIndex() const { return m_command - 300; }
    void setEffectIndex(int index);

    std::optional<Image> compute(const Image& source, const EffectInputs& inputs, const FilterRun& run) const;

private:
    int m_command;
    int m_intensity;
};

} // namespace gp
