#pragma once
// The classic linear congruential generator of the C library the transitions were designed
// with (state × 214013 + 2531011, the result bits 16..30), so a seed gives the same effect on
// every platform and tests can replay one.

#include <cstdint>

namespace gp {

class ClassicRandom {
public:
    static constexpr int kMax = 0x7FFF;

    explicit ClassicRandom(std::uint32_t seed = 1)
        : m_state(seed)
    {
    }
    void seed(std::uint32_t seed) { m_state = seed; }

    // 0 .. 32767.
    int next()
    {
        m_state = m_state * 214013u + 2531011u;
        return int((m_state >> 16) & kMax);
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
