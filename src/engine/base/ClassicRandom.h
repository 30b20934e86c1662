#pragma once
// The classic linear congruential generator of the C library the effects and the slide-show
// transitions were designed with: state = state × 214013 + 2531011 (mod 2^32), value = bits
// 16..30 of the state. A seed gives the same pictures on every platform and tests can replay
// one. The program keeps one generator for its whole run and the effects never reseed it.

#include <cstdint>

namespace gp {

class ClassicRandom {
public:
    static constexpr int kMax = 0x7FFF;
    static constexpr std::uint32_t kMultiplier = 214013u;
    static constexpr std::uint32_t kIncrement = 2531011u;

    explicit ClassicRandom(std::uint32_t seed = 1)
        : m_state(seed)
    {
    }
    void seed(std::uint32_t seed) { m_state = seed; }
    std::uint32_t state() const { return m_state; }

    // 0 .. 32767.
    int next()
    {
        m_state = m_state * kMultiplier + kIncrement;
        return int((m_state >> 16) & kMax);
    }

    // Moves on by `draws` draws at once, as that many next() calls would: n steps of
    // state × a + c are state × a^n + c × (a^(n-1) + ... + 1), built from the steps of the binary
    // digits of n.
    void skip(std::uint64_t draws)
    {
        std::uint32_t multiplier = 1, increment = 0; // the steps taken so far
        std::uint32_t stepMultiplier = kMultiplier, stepIncrement = kIncrement; // 2^k steps
        for (; draws != 0; draws >>= 1) {
            if (draws & 1) {
                multiplier *= stepMultiplier;
                increment = increment * stepMultiplier + stepIncrement;
            }
            stepIncrement = stepIncrement * stepMultiplier + stepIncrement;
            stepMultiplier *= stepMultiplier;
        }
        m_state = m_state * multiplier + increment;
    }

    // 0 .. n - 1 for any n > 0, also beyond 32768 (two draws then).
    int below(int n)
    {
        if (n <= kMax + 1)
            return next() % n;
        const std::uint32_t wide = (std::uint32_t(next()) << 15) | std::uint32_t(next());
        return int(wide % std::uint32_t(n));
    }

private:
    std::uint32_t m_state;
};

} // namespace gp
