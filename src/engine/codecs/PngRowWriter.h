#pragma once
// Writes a 24-bit RGB PNG file a row at a time, for pictures too large to hold whole (a printed
// page at the printer's resolution). The rows go to a temporary file beside the target, which
// takes the target's place only when the last row is written, so an abandoned picture leaves an
// old file of that name as it was.

#include <cstdint>
#include <memory>
#include <string>

namespace gp {

class PngRowWriter {
public:
    PngRowWriter(std::string path, int width, int height, std::int32_t xPelsPerMeter, std::int32_t yPelsPerMeter);
    ~PngRowWriter(); // removes the temporary file unless finish() put it in place
    PngRowWriter(const PngRowWriter&) = delete;
    PngRowWriter& operator=(const PngRowWriter&) = delete;

    // False once anything failed: creating the file, the coder, a write.
    bool ok() const;
    int rowsWritten() const { return m_rows; }
    // Writes the next row from the top: width × (red, green, blue). Rows past the height are
    // refused.
    void writeRow(const std::uint8_t* rgb);
    // After the last row: ends the file and puts it in place; true when every row was written
    // and reached the disk.
    bool finish();

    struct Coder;

private:
    std::string m_path;
    std::string m_temporary;
    int m_height;
    int m_rows = 0;
    bool m_finished = false;
    std::unique_ptr<Coder> m_coder;
};

} // namespace gp
