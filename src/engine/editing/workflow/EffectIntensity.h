#pragma once
// The Edit screen's intensity rules: the step of each effect, its floor, the intensity an effect
// starts at when chosen, stepping with a beep at the limits and setting a value directly.

namespace gp {

inline constexpr int kIntensityMaximum = 100;

// 10 for effect 3, 25 for effects 13 to 15, 1 for every other effect.
int intensityStep(int effect);
// 1 for effects stepped by 1, 0 for the others.
int intensityFloor(int effect);
// 25 for effects 13 to 15, 50 for the others.
int initialIntensity(int effect);

struct IntensityChange {
    int value = 0;
    bool beep = false; // the step ran past a limit and was held there
};

// One step up or down from current.
IntensityChange stepIntensity(int effect, int current, bool up);
// A value set directly: limited to floor..100 and rounded down to a multiple of the step.
int settledIntensity(int effect, int value);

} // namespace gp
