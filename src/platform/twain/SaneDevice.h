#pragma once
// One SANE device as a source sees it: the options that matter to a photo (mode, bit depth,
// resolution, scan area) and the scan of one frame into memory. Gray frames of 1 bit become
// black-and-white pictures, 8- and 16-bit gray and colour frames become 8 bits per sample;
// three-pass colour is interleaved. Rows come back top-down and tightly packed.

#include <sane/sane.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gp::twain {

enum class PixelKind { BlackWhite, Gray, Rgb };

struct ScannedFrame {
    PixelKind kind = PixelKind::Gray;
    int width = 0;
    int height = 0;
    double dpi = 0;
    // Top-down rows of rowBytes() bytes: 1 bit per pixel (1 = black), 8-bit gray or R,G,B.
    std::vector<std::uint8_t> rows;

    int bitsPerPixel() const { return kind == PixelKind::BlackWhite ? 1 : kind == PixelKind::Gray ? 8 : 24; }
    std::size_t rowBytes() const { return (std::size_t(width) * std::size_t(bitsPerPixel()) + 7) / 8; }
};

// A scan area in millimetres from the top-left corner of the bed.
struct ScanArea {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

class SaneDevice {
public:
    // The largest frame a scan keeps in memory.
    static constexpr std::size_t kMaxFrameBytes = std::size_t(512) << 20;

    static std::optional<SaneDevice> open(const std::string& name);
    SaneDevice(SaneDevice&& other) noexcept;
    SaneDevice& operator=(SaneDevice&&) = delete;
    ~SaneDevice();

    const std::string& name() const { return m_name; }

    std::vector<std::string> modes() const;
    std::string mode() const;
    bool setMode(const std::string& mode);
    // The pixel kind the current mode and depth deliver.
    PixelKind pixelKind() const;
    // Chooses the mode (and depth) that delivers a kind; false when the device has none.
    bool setPixelKind(PixelKind kind);

    double resolution() const;
    bool setResolution(double dpi);
    // Lowest and highest resolution the device accepts.
    std::pair<double, double> resolutionRange() const;

    std::optional<ScanArea> area() const;
    std::optional<ScanArea> maximumArea() const;
    bool setArea(const ScanArea& area);

    // Scans one frame; nothing when the device fails, the frame is of a kind not handled, or it
    // is larger than kMaxFrameBytes. error() then says why.
    std::optional<ScannedFrame> scan();
    const std::string& error() const { return m_error; }

private:
    SaneDevice(std::string name, SANE_Handle handle)
        : m_name(std::move(name))
        , m_handle(handle)
    {
    }

    int findOption(const char* name) const;
    std::optional<double> numberOption(const char* name) const;
    bool setNumberOption(const char* name, double value);
    std::optional<std::pair<double, double>> numberRange(const char* name) const;
    std::optional<std::string> stringOption(const char* name) const;
    bool setStringOption(const char* name, const std::string& value);
    bool readFrame(std::vector<std::uint8_t>& bytes, SANE_Parameters& params);
    bool fail(std::string message);

    std::string m_name;
    SANE_Handle m_handle = nullptr;
    std::string m_error;
};

} // namespace gp::twain
