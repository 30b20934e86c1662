#include "album/TransitionPacer.h"

#include <algorithm>
#include <thread>

namespace gp {

std::int64_t SteadyTransitionDriver::milliseconds()
{
    using namespace std::chrono;
    return duration_cast<std::chrono::milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SteadyTransitionDriver::waitBriefly()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

StepPacer::StepPacer(TransitionDriver& driver, int durationMs)
    : m_driver(&driver)
    , m_duration(durationMs)
    , m_stepStart(driver.milliseconds())
{
}

bool StepPacer::step(long long done, long long total)
{
    if (m_aborted)
        return false;
    m_driver->showStep();
    if (total > 0) {
        const long long now = std::clamp(done, 0LL, total);
        const long long before = std::clamp(m_done, 0LL, total);
        const long long share = m_duration * now / total - m_duration * before / total;
        while (m_driver->milliseconds() - m_stepStart < share)
            m_driver->waitBriefly();
    }
    m_done = done;
    m_stepStart = m_driver->milliseconds();
    m_aborted = m_driver->abortRequested();
    return !m_aborted;
}

} // namespace gp
