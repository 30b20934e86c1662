#pragma once
// The slide show's 133 transitions: effect 0 copies the whole picture at once; 1 to 132 bring
// it in step by step in their own patterns (wipes, blocks, dissolves, ellipses, slides, ...).
// Every effect has copied the whole picture by its last step, is paced by StepPacer and stops
// when the abort test reports the key. Effects that draw at random take the random generator
// the show seeded.

#include "base/ClassicRandom.h"
#include "album/SlideCanvas.h"
#include "album/TransitionEffect.h"
#include "album/TransitionPacer.h"

namespace gp {

inline constexpr int kTransitionCount = transition::CurtainsUpAndDown; // effects 1..132, plus the plain copy 0

// Runs effect (0..132; any other number is the plain copy) for a picture of the given size.
// Returns false when it was stopped by the abort test.
bool runTransition(int effect, SlideCanvas& canvas, Size picture, TransitionDriver& driver, ClassicRandom& random);

} // namespace gp
