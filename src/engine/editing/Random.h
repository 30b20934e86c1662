#pragma once
// The classic library pseudo-random generator the effects draw from: state = state × 214013 +
// 2531011 (mod 2^32), value = (state >> 16) & 32767. The program keeps one for its whole run and
// the effects never reseed it, so a run of effects is reproducible from the starting seed.

#include <cstdint>

namespace gp {

class Random {
public:
    static constexpr int kMax = 32767;

    explicit Random(std::uint32_t seed = 1)
        : m_state(seed)
    {
    }

    void seed(std::uint32_t seed) { m_state = seed; }
    std::uint32_t state() const { return m_state; }

    // The next value, 0..32767.
    int next()
    {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & 32767u);
    }

private:
    std::uint32_t m_state;
};

} // namespace gp
