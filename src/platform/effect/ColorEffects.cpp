// The effects that change each pixel by its own colour only.

#include "Effects.h"
#include "PixelMath.h"

#include <cmath>

namespace gp::effect {

namespace {

double strength(int intensity) { return std::clamp(intensity, 0, 100) / 100.0; }

// Calls tone(r, g, b, out) for every pixel, out in blue, green, red order.
template <typename Tone> void eachPixel(const RgbPicture& s, const RgbPicture& d, Tone tone)
{
    for (int y = 0; y < s.height; ++y) {
        const std::uint8_t* in = s.row(y);
        std::uint8_t* out = d.row(y);
        for (int x = 0; x < s.width; ++x, in += 3, out += 3)
            tone(in[2], in[1], in[0], out, x, y);
    }
}

} // namespace

void warm(const RgbPicture& s, const RgbPicture& d, int intensity)
{
    const double k = strength(intensity);
    applyTables(s, d, tableOf([k](int v) { return v * (1 - 0.25 * k); }),
        tableOf([k](int v) { return v + (255 - v) * 0.07 * k; }),
        tableOf([k](int v) { return v + (255 - v) * 0.22 * k; }));
}

void cool(const RgbPicture& s, const RgbPicture& d, int intensity)
{
    const double k = strength(intensity);
    applyTables(s, d, tableOf([k](int v) { return v + (255 - v) * 0.25 * k; }),
        tableOf([k](int v) { return v + (255 - v) * 0.05 * k; }),
        tableOf([k](int v) { return v * (1 - 0.22 * k); }));
}

void posterize(const RgbPicture& s, const RgbPicture& d, int intensity)
{
    // From 32 levels per channel (a faint banding) to 2 (flat poster colours).
    const int levels = 2 + (100 - std::clamp(intensity, 0, 100)) * 30 / 100;
    const Table table = tableOf([levels](int v) {
        const int step = int(v * (levels - 1) / 255.0 + 0.5);
        return step * 255.0 / (levels - 1);
    });
    applyTables(s, d, table, table, table);
}

void sepia(const RgbPicture& s, const RgbPicture& d, int intensity)
{
    const int k = int(strength(intensity) * 256);
    eachPixel(s, d, [k](int r, int g, int b, std::uint8_t* out, int, int) {
        const int y = luminance(r, g, b);
        out[2] = clampByte(mix256(r, std::min(255, y + 40), k));
        out[1] = clampByte(mix256(g, std::min(255, y + 14), k));
        out[0] = clampByte(mix256(b, std::max(0, y - 28), k));
    });
}

void antique(const RgbPicture& s, const RgbPicture& d, int intensity)
{
    // Faded brown print: the tones pressed into a narrower range, warmed and yellowed.
    const int k = int(strength(intensity) * 256);
    eachPixel(s, d, [k](int r, int g, int b, std::uint8_t* out, int, int) {
        const int y = 36 + luminance(r, g, b) * 3 / 4;
        out[2] = clampByte(mix256(r, y + 30, k));
        out[1] = clampByte(mix256(g, y + 16, k));
        out[0] = clampByte(mix256(b, y - 26, k));
    });
}

void blackAndWhiteFilm(const RgbPicture& s, const RgbPicture& d, int intensity)
{
    // Always black and white; the intensity adds film contrast and grain.
    const double k = strength(intensity);
    const Table contrast = tableOf([k](int v) { return sCurve(v, 0.8 * k); });
    const int grain = int(k * 26);
    eachPixel(s, d, [&contrast, grain](int r, int g, int b, std::uint8_t* out, int x, int y) {
        const int v = clampByte(contrast[std::size_t(luminance(r, g, b))] + (positionNoise(x, y) * grain >> 7));
        out[0] = out[1] = out[2] = std::uint8_t(v);
    });
}

void highKey(const RgbPicture& s, const RgbPicture& d, int intensity)
{
    const double k = strength(intensity);
    const Table table = tableOf([k](int v) {
        const double lifted = 255.0 * std::pow(v / 255.0, 1.0 / (1.0 + 1.4 * k));
        return lifted + (255 - lifted) * 0.2 * k;
    });
    applyTables(s, d, table, table, table);
}

void lowKey(const RgbPicture& s, const RgbPicture& d, int intensity)
{
    const double k = strength(intensity);
    const Table table = tableOf([k](int v) { return 255.0 * std::pow(v / 255.0, 1.0 + 1.6 * k) * (1 - 0.15 * k); });
    applyTables(s, d, table, table, table);
}

void crossProcess(const RgbPicture& s, const RgbPicture& d, int intensity)
{
    // Each channel through its own curve, as film developed in the wrong chemistry: hard reds,
    // lifted greens, blues pressed into the middle with bluish shadows.
    const double k = strength(intensity);
    applyTables(s, d, tableOf([k](int v) { return v + ((48 + v * 0.62) - v) * k; }),
        tableOf([k](int v) { return v + (255.0 * std::pow(v / 255.0, 0.8) - v) * k; }),
        tableOf([k](int v) { return v + (sCurve(v, 1.0) - v) * k; }));
}

void fade(const RgbPicture& s, const RgbPicture& d, int intensity)
{
    const double k = strength(intensity);
    const int gray = int(0.45 * k * 256);
    const Table lift = tableOf([k](int v) { return 40 * k + v * (1 - 0.3 * k); });
    eachPixel(s, d, [&lift, gray](int r, int g, int b, std::uint8_t* out, int, int) {
        const int y = luminance(r, g, b);
        out[2] = lift[std::size_t(mix256(r, y, gray))];
        out[1] = lift[std::size_t(mix256(g, y, gray))];
        out[0] = lift[std::size_t(mix256(b, y, gray))];
    });
}

void popColour(const RgbPicture& s, const RgbPicture& d, int intensity)
{
    const double k = strength(intensity);
    const int saturation = int((1 + 1.6 * k) * 256);
    const Table contrast = tableOf([k](int v) { return sCurve(v, 0.5 * k); });
    eachPixel(s, d, [&contrast, saturation](int r, int g, int b, std::uint8_t* out, int, int) {
        const int y = luminance(r, g, b);
        out[2] = contrast[clampByte(y + (((r - y) * saturation) >> 8))];
        out[1] = contrast[clampByte(y + (((g - y) * saturation) >> 8))];
        out[0] = contrast[clampByte(y + (((b - y) * saturation) >> 8))];
    });
}

void duotone(const RgbPicture& s, const RgbPicture& d, int intensity)
{
    // The brightness laid on a ramp from deep blue to warm cream.
    const int k = int(strength(intensity) * 256);
    eachPixel(s, d, [k](int r, int g, int b, std::uint8_t* out, int, int) {
        const int y = luminance(r, g, b);
        out[2] = clampByte(mix256(r, 24 + y * 231 / 255, k));
        out[1] = clampByte(mix256(g, 28 + y * 196 / 255, k));
        out[0] = clampByte(mix256(b, 84 + y * 88 / 255, k));
    });
}

} // namespace gp::effect
