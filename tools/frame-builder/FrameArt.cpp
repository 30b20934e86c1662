#include "FrameArt.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace gp::frames {

namespace {

constexpr double kPi = 3.14159265358979;

// Repeatable noise: a hash of the position in -1..1, and a smooth one-dimensional noise.
double hashNoise(int x, int y)
{
    std::uint32_t h = std::uint32_t(x) * 73856093u ^ std::uint32_t(y) * 19349663u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return double((h ^ (h >> 16)) & 0xFFFF) / 32767.5 - 1.0;
}

double smoothNoise(double t, int seed)
{
    const int i = int(std::floor(t));
    const double f = t - i;
    const double s = f * f * (3 - 2 * f);
    return hashNoise(i, seed) * (1 - s) + hashNoise(i + 1, seed) * s;
}

Colour scaled(Colour c, double k) { return { c.red * k, c.green * k, c.blue * k }; }
Colour blend(Colour a, Colour b, double t)
{
    return { a.red + (b.red - a.red) * t, a.green + (b.green - a.green) * t, a.blue + (b.blue - a.blue) * t };
}

// Distances for window shapes, measured from the window's top-left corner.
auto rectangle(double w, double h)
{
    return [w, h](double u, double v) { return std::min({ u, v, w - u, h - v }); };
}

auto roundedRectangle(double w, double h, double radius)
{
    return [w, h, radius](double u, double v) {
        const double qx = std::abs(u - w / 2) - (w / 2 - radius);
        const double qy = std::abs(v - h / 2) - (h / 2 - radius);
        const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0);
        return radius - outside;
    };
}

auto ellipse(double w, double h)
{
    return [w, h](double u, double v) {
        const double a = w / 2;
        const double b = h / 2;
        const double r = std::hypot((u - a) / a, (v - b) / b);
        return (1 - r) * std::min(a, b);
    };
}

auto heart(double w, double h)
{
    // The curve (x² + y² − 1)³ = x²y³, scaled to the window; the distance is the function's
    // value over its gradient's length.
    const auto f = [w, h](double u, double v) {
        const double x = (u - w / 2) / (w / 2) * 1.25;
        const double y = -(v - h / 2) / (h / 2) * 1.25 + 0.15;
        const double q = x * x + y * y - 1;
        return q * q * q - x * x * y * y * y;
    };
    return [f](double u, double v) {
        const double value = f(u, v);
        const double gx = (f(u + 1, v) - f(u - 1, v)) / 2;
        const double gy = (f(u, v + 1) - f(u, v - 1)) / 2;
        const double length = std::hypot(gx, gy);
        return length > 1e-12 ? -value / length : (value < 0 ? 10.0 : -10.0);
    };
}

auto tornEdge(double w, double h)
{
    const auto box = rectangle(w, h);
    return [box, w, h](double u, double v) {
        // The tear wanders along each side; which side is nearest decides the noise's course.
        const double nearX = std::min(u, w - u);
        const double nearY = std::min(v, h - v);
        const double along = nearX < nearY ? v : u;
        const int side = nearX < nearY ? (u < w / 2 ? 1 : 2) : (v < h / 2 ? 3 : 4);
        const double tear = 14 * smoothNoise(along / 37.0, side) + 6 * smoothNoise(along / 9.0, side + 10)
            + 2 * hashNoise(int(along), side);
        return box(u, v) - 22 - tear;
    };
}

// Distance from the picture's outer edge.
double edgeDistance(int x, int y, int width, int height) { return std::min({ x, y, width - 1 - x, height - 1 - y }); }

// The window of a frame with the given border widths (left, top, right, bottom).
Rect inset(int width, int height, int left, int top, int right, int bottom)
{
    return { left, top, width - right, height - bottom };
}

FrameDesign classicWood(int width, int height, const std::string& name)
{
    const int border = std::min(width, height) / 9;
    FrameDesign d { name, width, height, inset(width, height, border, border, border, border), {}, 1.5, {} };
    d.inside = rectangle(d.window.width(), d.window.height());
    d.paint = [width, height, border](int x, int y) {
        const double e = edgeDistance(x, y, width, height);
        // Grain runs along each side of the moulding.
        const bool horizontalSide = std::min(y, height - 1 - y) < std::min(x, width - 1 - x);
        const double along = horizontalSide ? x : y;
        const double across = horizontalSide ? y : x;
        const double grain = std::sin((across + 9 * std::sin(along / 140.0) + 4 * smoothNoise(along / 60.0, 3)) / 3.2);
        const Colour wood = blend({ 112, 66, 34 }, { 158, 100, 56 }, 0.5 + 0.35 * grain + 0.08 * hashNoise(x, y));
        // A rounded moulding: light near the outer edge, a dark lip at the window.
        const double profile = std::sin(kPi * std::clamp(e / border, 0.0, 1.0));
        return scaled(wood, 0.7 + 0.45 * profile);
    };
    return d;
}

FrameDesign gilded(int width, int height, const std::string& name)
{
    const int border = std::min(width, height) / 8;
    FrameDesign d { name, width, height, inset(width, height, border, border, border, border), {}, 1.5, {} };
    d.inside = rectangle(d.window.width(), d.window.height());
    d.paint = [width, height, border](int x, int y) {
        const double e = edgeDistance(x, y, width, height) / border;
        // Bands of light across the moulding, with a row of beads in the middle.
        double light = 0.75 + 0.3 * std::cos(e * 3 * kPi) + 0.05 * hashNoise(x, y);
        const bool horizontalSide = std::min(y, height - 1 - y) < std::min(x, width - 1 - x);
        const double along = horizontalSide ? x : y;
        const double bead = std::abs(e - 0.55) * border;
        const double beadCentre = std::abs(std::fmod(along, 24.0) - 12);
        if (std::hypot(bead, beadCentre) < 7)
            light = 1.25 - std::hypot(bead, beadCentre) / 14;
        return scaled({ 212, 172, 70 }, std::clamp(light, 0.3, 1.2));
    };
    return d;
}

FrameDesign whiteMat(int width, int height, const std::string& name)
{
    const int border = std::min(width, height) / 7;
    FrameDesign d { name, width, height, inset(width, height, border, border, border, border), {}, 1.0, {} };
    d.inside = rectangle(d.window.width(), d.window.height());
    const Rect window = d.window;
    d.paint = [window](int x, int y) {
        // A cut bevel of six pixels round the window, lit from the top left.
        const int dx = std::min(std::abs(x - window.left), std::abs(x - window.right));
        const int dy = std::min(std::abs(y - window.top), std::abs(y - window.bottom));
        if (std::min(dx, dy) < 6)
            return (y < window.top + 6 || x < window.left + 6) ? Colour { 252, 251, 248 } : Colour { 215, 212, 205 };
        return scaled({ 244, 241, 233 }, 1 + 0.012 * hashNoise(x, y));
    };
    return d;
}

FrameDesign doubleMat(int width, int height)
{
    const int border = std::min(width, height) / 6;
    FrameDesign d { "double-mat", width, height, inset(width, height, border, border, border, border), {}, 1.0, {} };
    d.inside = rectangle(d.window.width(), d.window.height());
    const Rect window = d.window;
    d.paint = [window](int x, int y) {
        const int gap = std::min({ x - window.left + 28, y - window.top + 28, window.right + 28 - x, window.bottom + 28 - y });
        if (gap >= 0)
            return Colour { 240, 232, 212 }; // the inner mat shows 28 pixels round the window
        return scaled({ 38, 74, 58 }, 1 + 0.03 * hashNoise(x, y));
    };
    return d;
}

FrameDesign rounded(int width, int height)
{
    const int border = std::min(width, height) / 9;
    FrameDesign d { "rounded", width, height, inset(width, height, border, border, border, border), {}, 2.0, {} };
    d.inside = roundedRectangle(d.window.width(), d.window.height(), std::min(width, height) / 10.0);
    d.paint = [](int x, int y) {
        const double linen = 0.05 * std::sin(x * 1.7) * std::sin(y * 1.3) + 0.03 * hashNoise(x, y);
        return scaled({ 28, 44, 86 }, 1 + linen);
    };
    return d;
}

FrameDesign oval(int width, int height, const std::string& name)
{
    const int border = std::min(width, height) / 10;
    FrameDesign d { name, width, height, inset(width, height, border, border, border, border), {}, 3.0, {} };
    d.inside = ellipse(d.window.width(), d.window.height());
    d.paint = [width, height](int x, int y) {
        // Velvet: a soft sheen toward the middle of the picture.
        const double cx = (x - width / 2.0) / width;
        const double cy = (y - height / 2.0) / height;
        return scaled({ 112, 22, 38 }, 0.8 + 0.35 * (1 - 2 * std::hypot(cx, cy)) + 0.04 * hashNoise(x, y));
    };
    return d;
}

FrameDesign heartFrame(int width, int height)
{
    FrameDesign d { "heart", width, height, inset(width, height, width / 8, height / 10, width / 8, height / 10), {}, 2.5, {} };
    d.inside = heart(d.window.width(), d.window.height());
    d.paint = [](int x, int y) {
        const bool dot = std::hypot(std::fmod(x, 40.0) - 20, std::fmod(y, 40.0) - 20) < 5;
        return dot ? Colour { 255, 236, 242 } : Colour { 236, 160, 184 };
    };
    return d;
}

FrameDesign filmStrip(int width, int height)
{
    const int band = height / 7;
    FrameDesign d { "film-strip", width, height, inset(width, height, width / 20, band, width / 20, band), {}, 1.0, {} };
    d.inside = roundedRectangle(d.window.width(), d.window.height(), 8);
    d.paint = [height, band](int x, int y) {
        // Sprocket holes along both edges.
        const double hx = std::abs(std::fmod(x, 56.0) - 28);
        const double hy = std::min(std::abs(y - band / 2.0), std::abs(y - (height - band / 2.0)));
        if (hx < 12 && hy < 16)
            return Colour { 214, 214, 208 };
        return scaled({ 24, 22, 20 }, 1 + 0.2 * hashNoise(x, y));
    };
    return d;
}

FrameDesign instantPrint(int width, int height)
{
    const int side = width / 16;
    FrameDesign d { "instant-print", width, height, inset(width, height, side, side, side, height - side - (width - 2 * side)), {}, 1.0, {} };
    d.inside = rectangle(d.window.width(), d.window.height());
    d.paint = [width, height](int x, int y) {
        const double shade = 1 - 0.05 * (double(x) / width + double(y) / height);
        return scaled({ 250, 250, 244 }, shade + 0.008 * hashNoise(x, y));
    };
    return d;
}

FrameDesign tornPaper(int width, int height)
{
    const int border = std::min(width, height) / 12;
    FrameDesign d { "torn-paper", width, height, inset(width, height, border, border, border, border), {}, 1.5, {} };
    d.inside = tornEdge(d.window.width(), d.window.height());
    d.paint = [](int x, int y) {
        const double fibre = 0.03 * smoothNoise(x / 3.0 + y / 11.0, 7) + 0.02 * hashNoise(x, y);
        return scaled({ 236, 228, 208 }, 1 + fibre);
    };
    return d;
}

FrameDesign postageStamp(int width, int height)
{
    const int border = std::min(width, height) / 8;
    FrameDesign d { "postage-stamp", width, height, inset(width, height, border, border, border, border), {}, 1.0, {} };
    d.inside = rectangle(d.window.width(), d.window.height());
    const Rect window = d.window;
    d.paint = [width, height, window](int x, int y) {
        // Perforations: half circles bitten out of the edge every 30 pixels.
        const double ex = std::min(x, width - 1 - x);
        const double ey = std::min(y, height - 1 - y);
        const double along = ex < ey ? y : x;
        const double hole = std::hypot(std::min(ex, ey), std::fmod(along, 30.0) - 15);
        if (hole < 10)
            return Colour { 190, 196, 204 };
        const int line = std::min({ std::abs(x - window.left + 14), std::abs(y - window.top + 14),
            std::abs(x - window.right - 14), std::abs(y - window.bottom - 14) });
        if (line < 4)
            return Colour { 176, 44, 48 };
        return Colour { 252, 250, 246 };
    };
    return d;
}

FrameDesign softVignette(int width, int height)
{
    const int border = std::min(width, height) / 20;
    FrameDesign d { "vignette", width, height, inset(width, height, border, border, border, border), {}, 0, {} };
    d.inside = ellipse(d.window.width(), d.window.height());
    d.feather = std::min(width, height) / 4.0; // the photo fades out into the white
    d.paint = [](int, int) { return Colour { 255, 255, 255 }; };
    return d;
}

} // namespace

std::vector<FrameDesign> frameDesigns()
{
    constexpr int kLong = 1500;
    constexpr int kShort = 1000;
    std::vector<FrameDesign> designs;
    designs.push_back(classicWood(kLong, kShort, "classic-wood"));
    designs.push_back(classicWood(kShort, kLong, "classic-wood-portrait"));
    designs.push_back(gilded(kLong, kShort, "gold"));
    designs.push_back(gilded(kShort, kLong, "gold-portrait"));
    designs.push_back(whiteMat(kLong, kShort, "white-mat"));
    designs.push_back(whiteMat(kShort, kLong, "white-mat-portrait"));
    designs.push_back(doubleMat(kLong, kShort));
    designs.push_back(rounded(kLong, kShort));
    designs.push_back(oval(kLong, kShort, "oval"));
    designs.push_back(oval(kShort, kLong, "oval-portrait"));
    designs.push_back(heartFrame(kShort, kShort));
    designs.push_back(filmStrip(kLong, kShort));
    designs.push_back(instantPrint(kShort, 1200));
    designs.push_back(tornPaper(kLong, kShort));
    designs.push_back(postageStamp(kShort, 1250));
    designs.push_back(softVignette(kLong, kShort));
    return designs;
}

} // namespace gp::frames
