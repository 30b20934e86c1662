// The effects by number, as the Edit Photo screen lists them. The numbers are fixed: the screen
// steps effect 3 by tens and effects 13 to 15 by quarters, so those are the effects with a few
// distinct strengths (poster levels, vignette, soft focus, glow).

#include "Effects.h"

#include <array>

namespace gp::effect {

namespace {

constexpr std::array<EffectInfo, 18> kEffects { {
    { "Warm", warm },
    { "Cool", cool },
    { "Posterize", posterize },
    { "Sepia", sepia },
    { "Antique", antique },
    { "Black and White Film", blackAndWhiteFilm },
    { "High Key", highKey },
    { "Cross Process", crossProcess },
    { "Fade", fade },
    { "Pencil", pencil },
    { "Oil Paint", oilPaint },
    { "Pop Colour", popColour },
    { "Vignette", vignette },
    { "Soft Focus", softFocus },
    { "Glow", glow },
    { "Lomo", lomo },
    { "Low Key", lowKey },
    { "Duotone", duotone },
} };

} // namespace

int effectCount() { return int(kEffects.size()); }

const EffectInfo* effectInfo(int number)
{
    if (number < 1 || number > effectCount())
        return nullptr;
    return &kEffects[std::size_t(number - 1)];
}

} // namespace gp::effect
