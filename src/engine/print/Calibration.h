#pragma once
// Printer calibration: five 256-entry lookup tables from printcal.dat (a master curve, red,
// green and blue curves and a grey curve) and the calibrated copy of a photo that the Print
// command prints instead of the photo itself.
//
// printcal.dat, little-endian: "PCAL", entries per table (u16), tables (u16), bits per entry
// (u16), reserved (u16), data length (u32), reserved (u32), then the five tables from offset 20.
// Only the tag is checked; a missing file, another tag or a file too short for the five tables
// gives the identity tables.

#include "base/Result.h"
#include "image/Image.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>

namespace gp {

class Allocator;
class Host;

using LookupTable = std::array<std::uint8_t, 256>;

struct CalibrationTables {
    LookupTable master;
    LookupTable red;
    LookupTable green;
    LookupTable blue;
    LookupTable gray;

    static CalibrationTables identity();
    friend bool operator==(const CalibrationTables&, const CalibrationTables&) = default;
};

inline constexpr std::size_t kCalibrationHeaderSize = 20;
inline constexpr std::size_t kCalibrationDataSize = 5 * 256;

// The tables of a printcal.dat image: Malformed without the "PCAL" tag, Truncated when the five
// tables are not all there.
Result<CalibrationTables> parseCalibration(std::span<const std::uint8_t> bytes);

// The tables of a printcal.dat file, or the identity tables when it cannot be used.
CalibrationTables loadCalibration(const std::filesystem::path& file);

// The curves a photo goes through: grey images through the grey curve alone, colour images
// through each channel's curve after the master curve.
struct WorkingTables {
    LookupTable red;
    LookupTable green;
    LookupTable blue;
    LookupTable gray;
    bool grayscale = false;

    // True when the tables would leave every pixel as it is.
    bool isIdentity() const;
};

WorkingTables workingTables(const CalibrationTables& tables, bool grayscale);

// Reports the percentage done of a long operation.
using ProgressSink = std::function<void(int percent)>;

// A calibrated copy of an image: pixel bytes mapped for grey and 24-bit images, colour-table
// entries mapped for indexed and black-and-white ones. Nothing when the image has no type, when
// the tables change nothing, or when memory for the copy cannot be had (the allocator has then
// warned); the caller prints the image itself.
std::optional<Image> makeCalibratedCopy(
    const Image& image, const CalibrationTables& tables, const Allocator& allocator, const ProgressSink& progress);

// The copy the Print command prints instead of the photo: nothing while printCalFlag is 0,
// otherwise the calibrated copy through the tables of tablesFile (printcal.dat).
std::optional<Image> makePrintCalibratedCopy(const Image& image, int printCalFlag,
    const std::filesystem::path& tablesFile, const Allocator& allocator, const ProgressSink& progress);

} // namespace gp
