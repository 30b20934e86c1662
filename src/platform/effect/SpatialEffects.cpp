// The effects that look at neighbouring pixels or at a pixel's place in the picture. Their sizes
// (blur radii, brush sizes) follow the picture's size, so a preview on a small display copy looks
// like the result on the photo.

#include "Effects.h"
#include "PixelMath.h"
#include "SoftCopy.h"

#include <cmath>
#include <vector>

namespace gp::effect {

namespace {

double strength(int intensity) { return std::clamp(intensity, 0, 100) / 100.0; }

int shortSide(const RgbPicture& s) { return std::min(s.width, s.height); }

// The darkening toward the corners: per column and per row the squared distance from the centre
// (1024 at the middle of each edge), and a factor (of 256) for every sum of the two.
class Falloff {
public:
    Falloff(const RgbPicture& s, double amount)
        : m_dx(std::size_t(s.width))
        , m_dy(std::size_t(s.height))
    {
        const auto fill = [](std::vector<int>& d, int length) {
            for (int i = 0; i < length; ++i) {
                const double t = (i + 0.5 - length / 2.0) / (length / 2.0);
                d[std::size_t(i)] = int(t * t * 1024);
            }
        };
        fill(m_dx, s.width);
        fill(m_dy, s.height);
        for (int i = 0; i <= 2048; ++i) {
            const double fall = std::clamp((i / 1024.0 - 0.25) / 1.75, 0.0, 1.0);
            m_factor[std::size_t(i)] = int(256 * (1 - amount * std::pow(fall, 1.3)));
        }
    }
    int factor(int x, int y) const { return m_factor[std::size_t(std::min(2048, m_dx[std::size_t(x)] + m_dy[std::size_t(y)]))]; }

private:
    std::vector<int> m_dx;
    std::vector<int> m_dy;
    int m_factor[2049] {};
};

} // namespace

void vignette(const RgbPicture& s, const RgbPicture& d, int intensity)
{
    const Falloff falloff(s, 0.15 + 0.8 * strength(intensity));
    for (int y = 0; y < s.height; ++y) {
        const std::uint8_t* in = s.row(y);
        std::uint8_t* out = d.row(y);
        for (int x = 0; x < s.width; ++x) {
            const int f = falloff.factor(x, y);
            for (int c = 0; c < 3; ++c)
                out[3 * x + c] = std::uint8_t((in[3 * x + c] * f) >> 8);
        }
    }
}

void lomo(const RgbPicture& s, const RgbPicture& d, int intensity)
{
    // Toy-camera look: dark corners, strong contrast and saturation, a yellow-green cast.
    const double k = strength(intensity);
    const Falloff falloff(s, 0.9 * k);
    const Table contrast = tableOf([k](int v) { return sCurve(v, 0.9 * k); });
    const int saturation = int((1 + 0.7 * k) * 256);
    const int tintBlue = int((1 - 0.12 * k) * 256);
    for (int y = 0; y < s.height; ++y) {
        const std::uint8_t* in = s.row(y);
        std::uint8_t* out = d.row(y);
        for (int x = 0; x < s.width; ++x) {
            const int b = contrast[in[3 * x]];
            const int g = contrast[in[3 * x + 1]];
            const int r = contrast[in[3 * x + 2]];
            const int l = luminance(r, g, b);
            const int f = falloff.factor(x, y);
            out[3 * x] = clampByte(((l + (((b - l) * saturation) >> 8)) * f * tintBlue) >> 16);
            out[3 * x + 1] = clampByte(((l + (((g - l) * saturation) >> 8)) * f) >> 8);
            out[3 * x + 2] = clampByte(((l + (((r - l) * saturation) >> 8)) * f) >> 8);
        }
    }
}

void softFocus(const RgbPicture& s, const RgbPicture& d, int intensity)
{
    // A dreamy blur laid over the sharp picture, favouring the lighter of the two.
    const double k = strength(intensity);
    const int radius = std::max(1, int(shortSide(s) * (0.004 + 0.012 * k)));
    const int amount = int((0.15 + 0.6 * k) * 256);
    SoftCopy::ofRadius(s, radius).combine(s, d, [amount](const std::uint8_t* in, const int* blurred, std::uint8_t* out) {
        for (int c = 0; c < 3; ++c) {
            const int soft = (std::max<int>(in[c], blurred[c]) + blurred[c]) >> 1;
            out[c] = std::uint8_t(mix256(in[c], soft, amount));
        }
    });
}

void glow(const RgbPicture& s, const RgbPicture& d, int intensity)
{
    // A wide blur screened over the picture: light areas bleed into their surroundings.
    const double k = strength(intensity);
    const int radius = std::max(1, int(shortSide(s) * (0.01 + 0.02 * k)));
    const int amount = int((0.15 + 0.7 * k) * 256);
    SoftCopy::ofRadius(s, radius).combine(s, d, [amount](const std::uint8_t* in, const int* blurred, std::uint8_t* out) {
        for (int c = 0; c < 3; ++c) {
            const int light = (blurred[c] * blurred[c] * amount) >> 16;
            out[c] = std::uint8_t(in[c] + (255 - in[c]) * light / 255);
        }
    });
}

void oilPaint(const RgbPicture& s, const RgbPicture& d, int intensity)
{
    // Broad strokes: the picture averaged into patches that grow with the intensity, their
    // colours reduced and strengthened, with a trace of the original detail.
    const double k = strength(intensity);
    const int patch = std::max(1, int(std::lround(shortSide(s) * (0.002 + 0.008 * k))));
    SoftCopy strokes(s, patch, 1, int(14 - 7 * k));
    strokes.saturate(125);
    strokes.combine(s, d, [](const std::uint8_t* in, const int* painted, std::uint8_t* out) {
        for (int c = 0; c < 3; ++c)
            out[c] = std::uint8_t((painted[c] * 7 + in[c]) >> 3);
    });
}

void pencil(const RgbPicture& s, const RgbPicture& d, int intensity)
{
    // A drawing: light shading from the brightness and dark lines where it changes; the
    // intensity presses the pencil harder.
    const double k = strength(intensity);
    const int gain = int((0.5 + 3.5 * k) * 64);
    const std::size_t w = std::size_t(s.width);
    std::vector<std::uint8_t> light(w * std::size_t(s.height));
    for (int y = 0; y < s.height; ++y) {
        const std::uint8_t* in = s.row(y);
        std::uint8_t* l = light.data() + std::size_t(y) * w;
        for (int x = 0; x < s.width; ++x)
            l[x] = std::uint8_t(luminance(in[3 * x + 2], in[3 * x + 1], in[3 * x]));
    }
    for (int y = 0; y < s.height; ++y) {
        const std::uint8_t* up = light.data() + std::size_t(std::max(y - 1, 0)) * w;
        const std::uint8_t* mid = light.data() + std::size_t(y) * w;
        const std::uint8_t* down = light.data() + std::size_t(std::min(y + 1, s.height - 1)) * w;
        std::uint8_t* out = d.row(y);
        for (int x = 0; x < s.width; ++x) {
            const int xl = std::max(x - 1, 0);
            const int xr = std::min(x + 1, s.width - 1);
            const int gx = (up[xr] + 2 * mid[xr] + down[xr]) - (up[xl] + 2 * mid[xl] + down[xl]);
            const int gy = (down[xl] + 2 * down[x] + down[xr]) - (up[xl] + 2 * up[x] + up[xr]);
            const int line = std::min(255, ((std::abs(gx) + std::abs(gy)) * gain) >> 8);
            const int paper = 205 + mid[x] * 50 / 255;
            const std::uint8_t v = std::uint8_t((255 - line) * paper / 255);
            out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = v;
        }
    }
}

} // namespace gp::effect
