#include "editing/EditingMemory.h"

#include "editing/effects/FilterSupport.h"
#include "shell/CommandIds.h"

namespace gp {

namespace {

bool isEffect(int command)
{
    return command >= command::EffectFirst && command < command::EffectFirst + kEffectCount;
}

} // namespace

int EditingMemory::intensity(int command) const
{
    if (command == command::Blur)
        return m_blur;
    if (command == command::Sharpen)
        return m_sharpen;
    if (isEffect(command)) {
        const int kept = m_effects[std::size_t(command - command::EffectFirst)];
        return kept != 0 ? kept : kEffectStart;
    }
    return kFilterStart;
}

void EditingMemory::setIntensity(int command, int intensity)
{
    const int value = clampInt(intensity, 1, 100);
    if (command == command::Blur)
        m_blur = value;
    else if (command == command::Sharpen)
        m_sharpen = value;
    else if (isEffect(command))
        m_effects[std::size_t(command - command::EffectFirst)] = value;
}

int EditingMemory::chooseEffect(int command)
{
    if (isEffect(command)) {
        m_currentEffect = command - command::EffectFirst;
        int& kept = m_effects[std::size_t(m_currentEffect)];
        if (kept == 0)
            kept = kEffectStart;
    }
    return intensity(currentEffectCommand());
}

int EditingMemory::currentEffectCommand() const
{
    return command::EffectFirst + m_currentEffect;
}

} // namespace gp
