#pragma once
// A heap block that starts out zeroed. It is taken from calloc because the system hands out the
// pages of a big block already zeroed: a 70 MB picture does not pay for writing 70 MB of zeros
// before its decoder writes every byte again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <utility>

namespace gp {

class ZeroedBlock {
public:
    ZeroedBlock() = default;
    // A moved-from block is empty, as a moved-from vector would be.
    ZeroedBlock(ZeroedBlock&& other) noexcept
        : m_bytes(std::move(other.m_bytes))
        , m_size(std::exchange(other.m_size, 0))
    {
    }
    ZeroedBlock& operator=(ZeroedBlock&& other) noexcept
    {
        m_bytes = std::move(other.m_bytes);
        m_size = std::exchange(other.m_size, 0);
        return *this;
    }

    static std::optional<ZeroedBlock> allocate(std::size_t size)
    {
        auto* bytes = static_cast<std::uint8_t*>(std::calloc(size == 0 ? 1 : size, 1));
        if (!bytes)
            return std::nullopt;
        return ZeroedBlock(bytes, size);
    }

    // A copy of the block; throws std::bad_alloc when the memory cannot be had.
    ZeroedBlock clone() const
    {
        if (!m_bytes)
            return {};
        auto* bytes = static_cast<std::uint8_t*>(std::malloc(m_size == 0 ? 1 : m_size));
        if (!bytes)
            throw std::bad_alloc();
        std::memcpy(bytes, m_bytes.get(), m_size);
        return ZeroedBlock(bytes, m_size);
    }

    bool empty() const { return m_size == 0; }
    std::size_t size() const { return m_size; }
    std::uint8_t* data() { return m_bytes.get(); }
    const std::uint8_t* data() const { return m_bytes.get(); }

private:
    struct Free {
        void operator()(std::uint8_t* bytes) const { std::free(bytes); }
    };

    ZeroedBlock(std::uint8_t* bytes, std::size_t size)
        : m_bytes(bytes)
        , m_size(size)
    {
    }

    std::unique_ptr<std::uint8_t[], Free> m_bytes;
    std::size_t m_size = 0;
};

} // namespace gp
