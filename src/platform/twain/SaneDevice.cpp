#include "SaneDevice.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <sane/saneopts.h>
#include <utility>

namespace gp::twain {

namespace {

std::string lowered(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool settable(const SANE_Option_Descriptor* d)
{
    return SANE_OPTION_IS_ACTIVE(d->cap) && SANE_OPTION_IS_SETTABLE(d->cap);
}

double fromWord(const SANE_Option_Descriptor* d, SANE_Word w)
{
    return d->type == SANE_TYPE_FIXED ? SANE_UNFIX(w) : w;
}

SANE_Word toWord(const SANE_Option_Descriptor* d, double v)
{
    return d->type == SANE_TYPE_FIXED ? SANE_FIX(v) : SANE_Word(std::lround(v));
}

// Samples of 16 bits (in the machine's byte order) reduced to their high 8 bits.
void narrow16(const std::uint8_t* in, std::uint8_t* out, std::size_t samples)
{
    for (std::size_t i = 0; i < samples; ++i) {
        std::uint16_t v;
        std::memcpy(&v, in + 2 * i, 2);
        out[i] = std::uint8_t(v >> 8);
    }
}

} // namespace

std::optional<SaneDevice> SaneDevice::open(const std::string& name)
{
    SANE_Handle handle = nullptr;
    if (sane_open(name.c_str(), &handle) != SANE_STATUS_GOOD || !handle)
        return std::nullopt;
    return SaneDevice(name, handle);
}

SaneDevice::SaneDevice(SaneDevice&& other) noexcept
    : m_name(std::move(other.m_name))
    , m_handle(std::exchange(other.m_handle, nullptr))
    , m_error(std::move(other.m_error))
{
}

SaneDevice::~SaneDevice()
{
    if (m_handle)
        sane_close(m_handle);
}

int SaneDevice::findOption(const char* name) const
{
    SANE_Int count = 0;
    if (sane_control_option(m_handle, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD)
        return -1;
    for (SANE_Int i = 1; i < count; ++i) {
        const SANE_Option_Descriptor* d = sane_get_option_descriptor(m_handle, i);
        if (d && d->name && std::strcmp(d->name, name) == 0)
            return SANE_OPTION_IS_ACTIVE(d->cap) ? i : -1;
    }
    return -1;
}

std::optional<double> SaneDevice::numberOption(const char* name) const
{
    const int i = findOption(name);
    const SANE_Option_Descriptor* d = i < 0 ? nullptr : sane_get_option_descriptor(m_handle, i);
    if (!d || (d->type != SANE_TYPE_INT && d->type != SANE_TYPE_FIXED) || d->size < SANE_Int(sizeof(SANE_Word)))
        return std::nullopt;
    std::vector<SANE_Word> words(std::size_t(d->size) / sizeof(SANE_Word));
    if (sane_control_option(m_handle, i, SANE_ACTION_GET_VALUE, words.data(), nullptr) != SANE_STATUS_GOOD)
        return std::nullopt;
    return fromWord(d, words[0]);
}

std::optional<std::pair<double, double>> SaneDevice::numberRange(const char* name) const
{
    const int i = findOption(name);
    const SANE_Option_Descriptor* d = i < 0 ? nullptr : sane_get_option_descriptor(m_handle, i);
    if (!d || (d->type != SANE_TYPE_INT && d->type != SANE_TYPE_FIXED))
        return std::nullopt;
    if (d->constraint_type == SANE_CONSTRAINT_RANGE && d->constraint.range)
        return std::pair { fromWord(d, d->constraint.range->min), fromWord(d, d->constraint.range->max) };
    if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST && d->constraint.word_list && d->constraint.word_list[0] > 0) {
        const SANE_Word* list = d->constraint.word_list;
        double low = fromWord(d, list[1]), high = low;
        for (SANE_Word k = 1; k <= list[0]; ++k) {
            low = std::min(low, fromWord(d, list[k]));
            high = std::max(high, fromWord(d, list[k]));
        }
        return std::pair { low, high };
    }
    return std::nullopt;
}

bool SaneDevice::setNumberOption(const char* name, double value)
{
    const int i = findOption(name);
    const SANE_Option_Descriptor* d = i < 0 ? nullptr : sane_get_option_descriptor(m_handle, i);
    if (!d || !settable(d) || (d->type != SANE_TYPE_INT && d->type != SANE_TYPE_FIXED))
        return false;
    // The nearest value the constraint allows, so the device takes it.
    if (d->constraint_type == SANE_CONSTRAINT_RANGE && d->constraint.range) {
        value = std::clamp(value, fromWord(d, d->constraint.range->min), fromWord(d, d->constraint.range->max));
    } else if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST && d->constraint.word_list
        && d->constraint.word_list[0] > 0) {
        const SANE_Word* list = d->constraint.word_list;
        double best = fromWord(d, list[1]);
        for (SANE_Word k = 2; k <= list[0]; ++k)
            if (std::abs(fromWord(d, list[k]) - value) < std::abs(best - value))
                best = fromWord(d, list[k]);
        value = best;
    }
    std::vector<SANE_Word> words(std::max<std::size_t>(1, std::size_t(d->size) / sizeof(SANE_Word)), toWord(d, value));
    return sane_control_option(m_handle, i, SANE_ACTION_SET_VALUE, words.data(), nullptr) == SANE_STATUS_GOOD;
}

std::optional<std::string> SaneDevice::stringOption(const char* name) const
{
    const int i = findOption(name);
    const SANE_Option_Descriptor* d = i < 0 ? nullptr : sane_get_option_descriptor(m_handle, i);
    if (!d || d->type != SANE_TYPE_STRING || d->size <= 0)
        return std::nullopt;
    std::vector<char> buffer(std::size_t(d->size) + 1, '\0');
    if (sane_control_option(m_handle, i, SANE_ACTION_GET_VALUE, buffer.data(), nullptr) != SANE_STATUS_GOOD)
        return std::nullopt;
    return std::string(buffer.data(), strnlen(buffer.data(), std::size_t(d->size)));
}

bool SaneDevice::setStringOption(const char* name, const std::string& value)
{
    const int i = findOption(name);
    const SANE_Option_Descriptor* d = i < 0 ? nullptr : sane_get_option_descriptor(m_handle, i);
    if (!d || !settable(d) || d->type != SANE_TYPE_STRING || value.size() >= std::size_t(d->size))
        return false;
    std::vector<char> buffer(std::size_t(d->size), '\0');
    std::memcpy(buffer.data(), value.data(), value.size());
    return sane_control_option(m_handle, i, SANE_ACTION_SET_VALUE, buffer.data(), nullptr) == SANE_STATUS_GOOD;
}

std::vector<std::string> SaneDevice::modes() const
{
    std::vector<std::string> result;
    const int i = findOption(SANE_NAME_SCAN_MODE);
    const SANE_Option_Descriptor* d = i < 0 ? nullptr : sane_get_option_descriptor(m_handle, i);
    if (d && d->type == SANE_TYPE_STRING && d->constraint_type == SANE_CONSTRAINT_STRING_LIST)
        for (const SANE_String_Const* s = d->constraint.string_list; s && *s; ++s)
            result.emplace_back(*s);
    return result;
}

std::string SaneDevice::mode() const
{
    return stringOption(SANE_NAME_SCAN_MODE).value_or(std::string());
}

bool SaneDevice::setMode(const std::string& mode)
{
    return setStringOption(SANE_NAME_SCAN_MODE, mode);
}

PixelKind SaneDevice::pixelKind() const
{
    // The device's estimate of the next frame is the authority on what it will deliver.
    SANE_Parameters params {};
    if (sane_get_parameters(m_handle, &params) != SANE_STATUS_GOOD)
        return PixelKind::Gray;
    if (params.format == SANE_FRAME_GRAY)
        return params.depth == 1 ? PixelKind::BlackWhite : PixelKind::Gray;
    return PixelKind::Rgb;
}

bool SaneDevice::setPixelKind(PixelKind kind)
{
    const char* const* words = nullptr;
    static const char* const colour[] = { "color", "colour", "rgb", nullptr };
    static const char* const gray[] = { "gray", "grey", nullptr };
    static const char* const lineart[] = { "lineart", "binary", "halftone", nullptr };
    switch (kind) {
    case PixelKind::Rgb: words = colour; break;
    case PixelKind::Gray: words = gray; break;
    case PixelKind::BlackWhite: words = lineart; break;
    }
    for (const std::string& m : modes()) {
        const std::string low = lowered(m);
        for (const char* const* w = words; *w; ++w) {
            if (low.find(*w) == std::string::npos || !setMode(m))
                continue;
            if (kind != PixelKind::BlackWhite)
                setNumberOption(SANE_NAME_BIT_DEPTH, 8);
            if (pixelKind() == kind)
                return true;
        }
    }
    // Devices without a line-art mode give black and white as 1-bit gray.
    if (kind == PixelKind::BlackWhite && setPixelKind(PixelKind::Gray) && setNumberOption(SANE_NAME_BIT_DEPTH, 1))
        return pixelKind() == PixelKind::BlackWhite;
    return false;
}

double SaneDevice::resolution() const
{
    return numberOption(SANE_NAME_SCAN_RESOLUTION).value_or(72.0);
}

bool SaneDevice::setResolution(double dpi)
{
    return dpi > 0 && setNumberOption(SANE_NAME_SCAN_RESOLUTION, dpi);
}

std::pair<double, double> SaneDevice::resolutionRange() const
{
    return numberRange(SANE_NAME_SCAN_RESOLUTION).value_or(std::pair { resolution(), resolution() });
}

std::optional<ScanArea> SaneDevice::area() const
{
    auto l = numberOption(SANE_NAME_SCAN_TL_X), t = numberOption(SANE_NAME_SCAN_TL_Y);
    auto r = numberOption(SANE_NAME_SCAN_BR_X), b = numberOption(SANE_NAME_SCAN_BR_Y);
    if (!l || !t || !r || !b)
        return std::nullopt;
    return ScanArea { *l, *t, *r, *b };
}

std::optional<ScanArea> SaneDevice::maximumArea() const
{
    auto x = numberRange(SANE_NAME_SCAN_BR_X), y = numberRange(SANE_NAME_SCAN_BR_Y);
    auto x0 = numberRange(SANE_NAME_SCAN_TL_X), y0 = numberRange(SANE_NAME_SCAN_TL_Y);
    if (!x || !y || !x0 || !y0)
        return std::nullopt;
    return ScanArea { x0->first, y0->first, x->second, y->second };
}

bool SaneDevice::setArea(const ScanArea& a)
{
    if (a.right <= a.left || a.bottom <= a.top)
        return false;
    // Corner by corner in an order that never makes the area empty on the way.
    bool ok = setNumberOption(SANE_NAME_SCAN_BR_X, a.right) && setNumberOption(SANE_NAME_SCAN_BR_Y, a.bottom);
    ok = ok && setNumberOption(SANE_NAME_SCAN_TL_X, a.left) && setNumberOption(SANE_NAME_SCAN_TL_Y, a.top);
    return ok;
}

bool SaneDevice::fail(std::string message)
{
    m_error = std::move(message);
    return false;
}

bool SaneDevice::readFrame(std::vector<std::uint8_t>& bytes, SANE_Parameters& params)
{
    if (sane_get_parameters(m_handle, &params) != SANE_STATUS_GOOD)
        return fail("the device gave no frame parameters");
    if (params.pixels_per_line <= 0 || params.bytes_per_line <= 0 || params.lines == 0)
        return fail("the device announced an empty frame");
    const int channels = params.format == SANE_FRAME_RGB ? 3 : 1;
    if ((params.depth != 1 && params.depth != 8 && params.depth != 16) || (params.depth == 1 && channels == 3))
        return fail("the device delivers a sample depth that is not handled");
    if (std::size_t(params.bytes_per_line) * 8
        < std::size_t(params.pixels_per_line) * std::size_t(channels) * std::size_t(params.depth))
        return fail("the device announced rows shorter than their pixels");
    bytes.clear();
    std::uint8_t chunk[65536];
    for (;;) {
        SANE_Int got = 0;
        const SANE_Status status = sane_read(m_handle, chunk, SANE_Int(sizeof chunk), &got);
        if (status == SANE_STATUS_EOF)
            break;
        if (status != SANE_STATUS_GOOD)
            return fail(std::string("scanning failed: ") + sane_strstatus(status));
        if (got < 0 || bytes.size() + std::size_t(got) > kMaxFrameBytes)
            return fail("the frame is larger than a scan may be");
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return true;
}

std::optional<ScannedFrame> SaneDevice::scan()
{
    m_error.clear();
    std::vector<std::vector<std::uint8_t>> planes;
    SANE_Parameters params {};
    std::vector<SANE_Frame> formats;
    bool ok = true;
    for (int pass = 0; ok && pass < 3; ++pass) {
        const SANE_Status status = sane_start(m_handle);
        if (status != SANE_STATUS_GOOD) {
            ok = fail(std::string("the scan did not start: ") + sane_strstatus(status));
            break;
        }
        planes.emplace_back();
        ok = readFrame(planes.back(), params);
        formats.push_back(params.format);
        if (params.last_frame)
            break;
    }
    sane_cancel(m_handle);
    if (!ok)
        return std::nullopt;

    const bool threePass = formats.size() == 3;
    const bool singleFrame
        = formats.size() == 1 && (params.format == SANE_FRAME_GRAY || params.format == SANE_FRAME_RGB);
    if (!(singleFrame || (threePass && params.depth != 1))) {
        fail("the device delivered frames of a kind that is not handled");
        return std::nullopt;
    }

    ScannedFrame frame;
    frame.kind = threePass || params.format == SANE_FRAME_RGB ? PixelKind::Rgb
        : params.depth == 1                                   ? PixelKind::BlackWhite
                                                              : PixelKind::Gray;
    frame.width = params.pixels_per_line;
    frame.dpi = resolution();
    std::size_t lines = planes[0].size() / std::size_t(params.bytes_per_line);
    for (const auto& plane : planes)
        lines = std::min(lines, plane.size() / std::size_t(params.bytes_per_line));
    if (params.lines > 0)
        lines = std::min(lines, std::size_t(params.lines));
    if (lines == 0 || lines > std::size_t(INT32_MAX)) {
        fail("the device delivered no complete row");
        return std::nullopt;
    }
    frame.height = int(lines);

    const std::size_t out = frame.rowBytes();
    const std::size_t in = std::size_t(params.bytes_per_line);
    const std::size_t samplesPerPlaneRow
        = std::size_t(frame.width) * (threePass ? 1 : (frame.kind == PixelKind::Rgb ? 3 : 1));
    frame.rows.resize(out * lines);
    std::vector<std::uint8_t> narrow(samplesPerPlaneRow);
    for (std::size_t y = 0; y < lines; ++y) {
        std::uint8_t* dst = frame.rows.data() + y * out;
        if (!threePass) {
            const std::uint8_t* src = planes[0].data() + y * in;
            if (params.depth == 16)
                narrow16(src, dst, samplesPerPlaneRow);
            else
                std::memcpy(dst, src, out);
            continue;
        }
        for (std::size_t p = 0; p < 3; ++p) {
            const std::uint8_t* src = planes[p].data() + y * in;
            if (params.depth == 16) {
                narrow16(src, narrow.data(), samplesPerPlaneRow);
                src = narrow.data();
            }
            const std::size_t channel = formats[p] == SANE_FRAME_RED ? 0 : formats[p] == SANE_FRAME_GREEN ? 1 : 2;
            for (int x = 0; x < frame.width; ++x)
                dst[3 * std::size_t(x) + channel] = src[x];
        }
    }
    return frame;
}

} // namespace gp::twain
