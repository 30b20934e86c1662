#pragma once
// What the transform commands remember while the program runs (never saved to the settings):
// the last angle typed into the Rotate dialog, the angle by which the current floating selection
// has turned since it was lifted, and the Image Size dialog's keep-aspect-ratio box.

namespace gp {

struct TransformMemory {
    int lastAngle = 0;
    int selectionRotation = 0;
    bool keepAspect = true;
};

} // namespace gp
