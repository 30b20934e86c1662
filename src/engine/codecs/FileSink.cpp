#include "codecs/FileSink.h"

#include <unistd.h>

namespace gp {

namespace {

constexpr std::size_t kPieceSize = std::size_t(1) << 18;

} // namespace

FileSink::FileSink(const std::string& path)
    : m_file(std::fopen(path.c_str(), "wb"))
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
        m_ok = m_ok && std::fwrite(bytes.data(), 1, bytes.size(), m_file) == bytes.size();
        return;
    }
    m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
}

void FileSink::flushBuffer()
{
    if (m_buffer.empty())
        return;
    m_ok = m_ok && std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) == m_buffer.size();
    m_buffer.clear();
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
