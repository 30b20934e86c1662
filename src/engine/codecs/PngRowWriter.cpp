#include "codecs/PngRowWriter.h"

#include "codecs/FileSink.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <unistd.h>

namespace gp {

struct PngRowWriter::Coder {
    explicit Coder(const std::string& path) : sink(path) { }
    ~Coder()
    {
        if (png)
            png_destroy_write_struct(&png, info ? &info : nullptr);
    }

    FileSink sink;
    png_structp png = nullptr;
    png_infop info = nullptr;
    bool failed = false;
};

namespace {

void writeBytes(png_structp png, png_bytep data, png_size_t count)
{
    static_cast<PngRowWriter::Coder*>(png_get_io_ptr(png))->sink.write({ data, count });
}

void flushNothing(png_structp) { }

[[noreturn]] void onError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) { }

// Each library call sits behind its own setjmp, with only trivially destructible locals, since
// a library error jumps back there.
bool writeHeader(PngRowWriter::Coder& c, int width, int height, std::int32_t xPels, std::int32_t yPels)
{
    if (setjmp(png_jmpbuf(c.png)))
        return false;
    png_set_write_fn(c.png, &c, writeBytes, flushNothing);
    png_set_IHDR(c.png, c.info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
        PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (xPels > 0 && yPels > 0)
        png_set_pHYs(c.png, c.info, png_uint_32(xPels), png_uint_32(yPels), PNG_RESOLUTION_METER);
    png_write_info(c.png, c.info);
    return true;
}

bool writeOneRow(PngRowWriter::Coder& c, const std::uint8_t* rgb)
{
    if (setjmp(png_jmpbuf(c.png)))
        return false;
    png_write_row(c.png, rgb);
    return true;
}

bool writeEnd(PngRowWriter::Coder& c)
{
    if (setjmp(png_jmpbuf(c.png)))
        return false;
    png_write_end(c.png, c.info);
    return true;
}

} // namespace

PngRowWriter::PngRowWriter(std::string path, int width, int height, std::int32_t xPelsPerMeter,
    std::int32_t yPelsPerMeter)
    : m_path(std::move(path))
    , m_temporary(m_path + ".part-" + std::to_string(::getpid()))
    , m_height(height)
    , m_coder(std::make_unique<Coder>(m_temporary))
{
    Coder& c = *m_coder;
    c.failed = !c.sink.isOpen() || width <= 0 || height <= 0;
    if (!c.failed)
        c.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &c, onError, onWarning);
    if (c.png)
        c.info = png_create_info_struct(c.png);
    c.failed = c.failed || !c.info || !writeHeader(c, width, height, xPelsPerMeter, yPelsPerMeter);
}

PngRowWriter::~PngRowWriter()
{
    const bool created = m_coder->sink.isOpen();
    m_coder.reset();
    if (!m_finished && created)
        std::remove(m_temporary.c_str());
}

bool PngRowWriter::ok() const
{
    return !m_coder->failed;
}

void PngRowWriter::writeRow(const std::uint8_t* rgb)
{
    Coder& c = *m_coder;
    if (c.failed)
        return;
    if (m_rows >= m_height || !writeOneRow(c, rgb)) {
        c.failed = true;
        return;
    }
    ++m_rows;
}

bool PngRowWriter::finish()
{
    Coder& c = *m_coder;
    if (m_finished)
        return !c.failed;
    const bool complete = !c.failed && m_rows == m_height && writeEnd(c);
    const bool onDisk = c.sink.finish();
    c.failed = !(complete && onDisk);
    if (!c.failed && std::rename(m_temporary.c_str(), m_path.c_str()) != 0)
        c.failed = true;
    m_finished = !c.failed;
    return m_finished;
}

} // namespace gp
