#pragma once
// The effects of the library: each reads the source picture and writes the destination picture
// (the same size), at intensity 0..100, where 0 leaves the picture as it was (or all but so) and
// 100 is the effect at its strongest.

#include "RgbPicture.h"

namespace gp::effect {

using EffectFunction = void (*)(const RgbPicture& source, const RgbPicture& destination, int intensity);

struct EffectInfo {
    const char* name;
    EffectFunction apply;
};

// The table, numbered from 1.
int effectCount();
const EffectInfo* effectInfo(int number);

// Colour effects (ColorEffects.cpp).
void warm(const RgbPicture& s, const RgbPicture& d, int intensity);
void cool(const RgbPicture& s, const RgbPicture& d, int intensity);
void posterize(const RgbPicture& s, const RgbPicture& d, int intensity);
void sepia(const RgbPicture& s, const RgbPicture& d, int intensity);
void antique(const RgbPicture& s, const RgbPicture& d, int intensity);
void blackAndWhiteFilm(const RgbPicture& s, const RgbPicture& d, int intensity);
void highKey(const RgbPicture& s, const RgbPicture& d, int intensity);
void crossProcess(const RgbPicture& s, const RgbPicture& d, int intensity);
void fade(const RgbPicture& s, const RgbPicture& d, int intensity);
void popColour(const RgbPicture& s, const RgbPicture& d, int intensity);
void lowKey(const RgbPicture& s, const RgbPicture& d, int intensity);
void duotone(const RgbPicture& s, const RgbPicture& d, int intensity);

// Effects that look at neighbouring pixels or at the position (SpatialEffects.cpp).
void pencil(const RgbPicture& s, const RgbPicture& d, int intensity);
void oilPaint(const RgbPicture& s, const RgbPicture& d, int intensity);
void vignette(const RgbPicture& s, const RgbPicture& d, int intensity);
void softFocus(const RgbPicture& s, const RgbPicture& d, int intensity);
void glow(const RgbPicture& s, const RgbPicture& d, int intensity);
void lomo(const RgbPicture& s, const RgbPicture& d, int intensity);

} // namespace gp::effect
