#include "editing/effects/FilterDialogs.h"

#include "editing/effects/FilterSupport.h"
#include "shell/CommandIds.h"
#include "shell/StringTable.h"

namespace gp {

namespace {

constexpr int kFilterTitle = 2248; // + 0 Blur, + 1 Sharpen
constexpr int kEffectName = 1038; // + effect index

} // namespace

FilterDialogModel::FilterDialogModel(int command, int intensity)
    : m_command(command)
    , m_intensity(clampInt(intensity, 1, 100))
{
}

void FilterDialogModel::setIntensity(int intensity)
{
    m_intensity = clampInt(intensity, 1, 100);
}

void FilterDialogModel::setEffectIndex(int index)
{
    m_command = command::EffectFirst + clampInt(index, 0, kEffectCount - 1);
}

std::string_view FilterDialogModel::title() const
{
    if (m_command == command::Blur || m_command == command::Sharpen)
        return text(kFilterTitle + m_command - command::Blur);
    return text(kEffectName + effectIndex());
}

std::optional<Image> FilterDialogModel::compute(
    const Image& source, const EffectInputs& inputs, const FilterRun& run) const
{
    return runFilterCommand(m_command, source, m_intensity, inputs, run);
}

} // namespace gp
