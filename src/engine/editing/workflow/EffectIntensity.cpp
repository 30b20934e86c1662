#include "editing/workflow/EffectIntensity.h"

#include <algorithm>

namespace gp {

namespace {

bool isQuarterStepped(int effect) { return effect >= 13 && effect <= 15; }

} // namespace

int intensityStep(int effect)
{
    if (effect == 3)
        return 10;
    return isQuarterStepped(effect) ? 25 : 1;
}

int intensityFloor(int effect) { return intensityStep(effect) == 1 ? 1 : 0; }

int initialIntensity(int effect) { return isQuarterStepped(effect) ? 25 : 50; }

IntensityChange stepIntensity(int effect, int current, bool up)
{
    const int step = intensityStep(effect);
    const int floor = intensityFloor(effect);
    const int next = up ? current + step : current - step;
    if (next > kIntensityMaximum)
        return { kIntensityMaximum, true };
    if (next < floor)
        return { floor, true };
    return { next, false };
}

int settledIntensity(int effect, int value)
{
    const int step = intensityStep(effect);
    const int floor = intensityFloor(effect);
    value = std::clamp(value, floor, kIntensityMaximum);
    return std::max(floor, value / step * step);
}

} // namespace gp
