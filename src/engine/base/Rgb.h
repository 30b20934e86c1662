#pragma once
// A colour as three 0..255 channel values: the active and alternate colours of the settings and
// the fill colour the editing routines paint with.

namespace gp {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

} // namespace gp
