#include "codecs/FileSink.h"

#include <unistd.h>

namespace gp {

namespace {

constexpr std::size_t kPieceSize = std::size_t(1) << 18;

} // namespace

FileSink::FileSink(const std::string& path)
    : m_file(std::fopen(path.c_str(), "wb"))
    , m_writeback(m_file ? fileno(m_file) : -1)
{
    m_buffer.reserve(kPieceSize);
}

FileSink::~FileSink()
{
    if (m_file)
        std::fclose(m_file);
}

void FileSink::write(std::span<const std::uint8_t> bytes)
{
    if (m_buffer.size() + bytes.size() > kPieceSize)
        flushBuffer();
    if (bytes.size() >= kPieceSize) {
        put(bytes.data(), bytes.size());
        return;
    }
    m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
}

void FileSink::flushBuffer()
{
    if (m_buffer.empty())
        return;
    put(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
}

void FileSink::put(const std::uint8_t* bytes, std::size_t size)
{
    m_ok = m_ok && std::fwrite(bytes, 1, size, m_file) == size;
    m_bytesOut += size;
    // Each whole stretch starts its way to the disk while the writer makes the next.
    if (m_ok && m_writeback.due(m_bytesOut)) {
        m_ok = std::fflush(m_file) == 0;
        m_writeback.written(m_bytesOut);
    }
}

bool FileSink::finish()
{
    if (!m_file)
        return false;
    flushBuffer();
    // A full disk may show only when the buffered bytes are flushed and synced.
    m_ok = std::fflush(m_file) == 0 && m_ok;
    m_ok = ::fsync(fileno(m_file)) == 0 && m_ok;
    m_ok = std::fclose(m_file) == 0 && m_ok;
    m_file = nullptr;
    return m_ok;
}

} // namespace gp
