#pragma once
// What the adjustment, filter and effect commands remember while the program runs: the
// intensities of Blur and Sharpen (50 at start), each effect's own intensity (75 the first time
// it is chosen), the current effect, and the channel of the last accepted Tone Adjustment. None
// of it is written to the settings file.

#include "editing/tone/ChannelTables.h"
#include "editing/effects/FilterCommands.h"

#include <array>

namespace gp {

class EditingMemory {
public:
    static constexpr int kFilterStart = 50;
    static constexpr int kEffectStart = 75;

    // The remembered intensity of Blur, Sharpen or an effect command (300..317); an effect that
    // was never chosen answers the starting 75.
    int intensity(int command) const;
    // Keeps an intensity (limited to 1..100) for the command.
    void setIntensity(int command, int intensity);

    // Effects menu 300..317: the effect becomes current and gets 75 when it has no intensity
    // yet. Answers the effect's intensity. 318 (the browser) keeps the current effect.
    int chooseEffect(int command);
    int currentEffect() const { return m_currentEffect; } // 0..17
    int currentEffectCommand() const;

    // The channel a new Tone Adjustment dialog starts with (All for a grayscale image).
    ToneChannel toneChannel(bool grayscale) const { return grayscale ? ToneChannel::All : m_toneChannel; }
    void setToneChannel(ToneChannel channel) { m_toneChannel = channel; }

private:
    int m_blur = kFilterStart;
    int m_sharpen = kFilterStart;
    std::array<int, kEffectCount> m_effects {}; // 0 = not chosen yet
    int m_currentEffect = 0;
    ToneChannel m_toneChannel = ToneChannel::All;
};

} // namespace gp
