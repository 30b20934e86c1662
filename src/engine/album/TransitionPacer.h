#pragma once
// Pacing of the slide-show transitions. Every effect works in steps; after a step it lets the
// frame be shown, waits by polling the tick count until that step's share of the duration has
// passed (D × done div total − D × done before div total milliseconds, D = 100), then polls the
// abort test and stops when it reports the key.

#include <chrono>
#include <cstdint>

namespace gp {

inline constexpr int kTransitionMilliseconds = 100;

// The clock, the abort key and the screen of the window (or of a test) a transition runs in.
class TransitionDriver {
public:
    virtual ~TransitionDriver() = default;
    // A tick count in milliseconds that never goes back.
    virtual std::int64_t milliseconds() = 0;
    // The program's abort key test.
    virtual bool abortRequested() = 0;
    // The frame as drawn so far may be shown now.
    virtual void showStep() { }
    // Called between polls of the clock while a step waits.
    virtual void waitBriefly() { }
};

// A driver on the system's steady clock that sleeps a millisecond between polls and never
// aborts; showStep and abortRequested are for windows and tools to refine.
class SteadyTransitionDriver : public TransitionDriver {
public:
    std::int64_t milliseconds() override;
    bool abortRequested() override { return false; }
    void waitBriefly() override;
};

class StepPacer {
public:
    explicit StepPacer(TransitionDriver& driver, int durationMs = kTransitionMilliseconds);

    // Ends a step after which done of total units are drawn (step i of s is step(i + 1, s)).
    // Returns false once the abort test has reported the key; drawing must stop then.
    bool step(long long done, long long total);
    bool aborted() const { return m_aborted; }

private:
    TransitionDriver* m_driver;
    int m_duration;
    long long m_done = 0;
    std::int64_t m_stepStart;
    bool m_aborted = false;
};

} // namespace gp
