#include "codecs/ColorProfile.h"

#include "image/ImageType.h"

#include <lcms2.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace gp {

namespace {

// Profiles larger than this are not photo profiles; they are ignored unread.
constexpr std::size_t kMaxProfileBytes = std::size_t(16) << 20;

// One colour-management context per call with a silent error log, so a damaged profile never
// prints and two threads never share state.
class Context {
public:
    Context() : m_context(cmsCreateContext(nullptr, nullptr))
    {
        if (m_context)
            cmsSetLogErrorHandlerTHR(m_context, [](cmsContext, cmsUInt32Number, const char*) { });
    }
    ~Context()
    {
        if (m_context)
            cmsDeleteContext(m_context);
    }
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;
    cmsContext get() const { return m_context; }

private:
    cmsContext m_context;
};

class Profile {
public:
    explicit Profile(cmsHPROFILE profile) : m_profile(profile) { }
    ~Profile()
    {
        if (m_profile)
            cmsCloseProfile(m_profile);
    }
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;
    cmsHPROFILE get() const { return m_profile; }
    explicit operator bool() const { return m_profile != nullptr; }

private:
    cmsHPROFILE m_profile;
};

class Transform {
public:
    explicit Transform(cmsHTRANSFORM transform) : m_transform(transform) { }
    ~Transform()
    {
        if (m_transform)
            cmsDeleteTransform(m_transform);
    }
    Transform(const Transform&) = delete;
    Transform& operator=(const Transform&) = delete;
    cmsHTRANSFORM get() const { return m_transform; }
    explicit operator bool() const { return m_transform != nullptr; }

private:
    cmsHTRANSFORM m_transform;
};

Profile open(const Context& context, std::span<const std::uint8_t> bytes)
{
    if (!context.get() || bytes.size() < 128 || bytes.size() > kMaxProfileBytes)
        return Profile(nullptr);
    return Profile(cmsOpenProfileFromMemTHR(context.get(), bytes.data(), cmsUInt32Number(bytes.size())));
}

std::optional<std::string> describe(const Profile& profile)
{
    std::array<char, 256> text {};
    const cmsUInt32Number length
        = cmsGetProfileInfoASCII(profile.get(), cmsInfoDescription, "en", "US", text.data(), text.size());
    if (length == 0)
        return std::string();
    return std::string(text.data());
}

// The sRGB transfer curve, the one every sRGB profile's curves must follow.
double srgbCurve(double v)
{
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

bool curveIsSrgb(const Profile& profile, cmsTagSignature tag)
{
    const auto* curve = static_cast<const cmsToneCurve*>(cmsReadTag(profile.get(), tag));
    if (!curve)
        return false;
    for (int i = 0; i <= 32; ++i) {
        const double v = i / 32.0;
        if (std::fabs(cmsEvalToneCurveFloat(curve, cmsFloat32Number(v)) - srgbCurve(v)) > 0.004)
            return false;
    }
    return true;
}

bool colorantNear(const Profile& a, const Profile& b, cmsTagSignature tag)
{
    const auto* x = static_cast<const cmsCIEXYZ*>(cmsReadTag(a.get(), tag));
    const auto* y = static_cast<const cmsCIEXYZ*>(cmsReadTag(b.get(), tag));
    constexpr double kTolerance = 0.002;
    return x && y && std::fabs(x->X - y->X) < kTolerance && std::fabs(x->Y - y->Y) < kTolerance
        && std::fabs(x->Z - y->Z) < kTolerance;
}

// An RGB matrix-and-curves profile with sRGB's primaries and curves describes sRGB, whatever its
// name; converting through it would only cost time and rounding.
bool isSrgb(const Profile& profile, const Profile& srgb)
{
    if (!cmsIsMatrixShaper(profile.get()))
        return false;
    for (cmsTagSignature tag : { cmsSigRedColorantTag, cmsSigGreenColorantTag, cmsSigBlueColorantTag })
        if (!colorantNear(profile, srgb, tag))
            return false;
    for (cmsTagSignature tag : { cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag })
        if (!curveIsSrgb(profile, tag))
            return false;
    return true;
}

// 24-bit rows in place, or the colour table's entries.
bool convertRgb(Image& image, const Context& context, const Profile& profile, const Profile& srgb)
{
    const Transform transform(cmsCreateTransformTHR(
        context.get(), profile.get(), TYPE_BGR_8, srgb.get(), TYPE_BGR_8, INTENT_PERCEPTUAL, cmsFLAGS_NOCACHE));
    if (!transform)
        return false;
    if (image.bitsPerPixel() == 24) {
        for (int y = 0; y < image.height(); ++y)
            cmsDoTransform(transform.get(), image.row(y), image.row(y), cmsUInt32Number(image.width()));
        return true;
    }
    std::vector<std::uint8_t> table;
    for (const Rgbq& c : image.colorTable())
        table.insert(table.end(), { c.blue, c.green, c.red });
    cmsDoTransform(transform.get(), table.data(), table.data(), cmsUInt32Number(image.colorCount()));
    for (int i = 0; i < image.colorCount(); ++i)
        image.setColor(i, Rgbq { table[3 * i], table[3 * i + 1], table[3 * i + 2], 0 });
    return true;
}

// An 8-bit grayscale picture keeps its gray colour table: its values are mapped through the
// profile into the sRGB gray of the same lightness.
bool convertGray(Image& image, const Context& context, const Profile& profile, const Profile& srgb)
{
    const Transform transform(cmsCreateTransformTHR(
        context.get(), profile.get(), TYPE_GRAY_8, srgb.get(), TYPE_RGB_8, INTENT_PERCEPTUAL, 0));
    if (!transform)
        return false;
    std::array<std::uint8_t, 256> in {};
    std::array<std::uint8_t, 3 * 256> out {};
    for (int i = 0; i < 256; ++i)
        in[i] = std::uint8_t(i);
    cmsDoTransform(transform.get(), in.data(), out.data(), 256);
    for (int y = 0; y < image.height(); ++y) {
        std::uint8_t* row = image.row(y);
        for (int x = 0; x < image.width(); ++x)
            row[x] = out[3 * row[x] + 1];
    }
    return true;
}

} // namespace

std::optional<std::string> profileDescription(std::span<const std::uint8_t> bytes)
{
    const Context context;
    const Profile profile = open(context, bytes);
    if (!profile)
        return std::nullopt;
    return describe(profile);
}

ProfileOutcome applyColorProfile(Image& image, std::span<const std::uint8_t> bytes, bool convert)
{
    ProfileOutcome outcome;
    const Context context;
    const Profile profile = open(context, bytes);
    if (!profile)
        return outcome;
    outcome.description = describe(profile);
    if (!convert || image.isNull())
        return outcome;
    const Profile srgb(cmsCreate_sRGBProfileTHR(context.get()));
    if (!srgb)
        return outcome;
    // The file's colour-space field may hold any four bytes, not only the signatures the
    // library names, so it is compared as a number.
    const auto space = std::uint32_t(cmsGetColorSpace(profile.get()));
    const bool gray = isGrayscale(&image);
    if (space == std::uint32_t(cmsSigRgbData) && !gray) {
        if (!isSrgb(profile, srgb))
            outcome.converted = convertRgb(image, context, profile, srgb);
    } else if (space == std::uint32_t(cmsSigGrayData) && gray) {
        if (!curveIsSrgb(profile, cmsSigGrayTRCTag))
            outcome.converted = convertGray(image, context, profile, srgb);
    }
    return outcome;
}

} // namespace gp
