#pragma once
// Property-set streams ("\005..." streams): a 28-byte header, one section named by its format id,
// and per property an id, a type and a value. The value types the image files use are kept:
// 16- and 32-bit integers, 32-bit floats, blobs and vectors of 32-bit integers.

#include "CompoundFile.h"
#include "base/Result.h"

#include <map>
#include <optional>
#include <span>
#include <variant>

namespace gp::fpx {

inline constexpr std::uint32_t kTypeI2 = 2;
inline constexpr std::uint32_t kTypeI4 = 3;
inline constexpr std::uint32_t kTypeR4 = 4;
inline constexpr std::uint32_t kTypeUI4 = 19;
inline constexpr std::uint32_t kTypeBlob = 65;
inline constexpr std::uint32_t kTypeVectorUI4 = 0x1013;

struct Property {
    std::uint32_t type = 0;
    std::variant<std::int64_t, float, std::vector<std::uint8_t>, std::vector<std::uint32_t>> value;
};

class PropertySet {
public:
    // Parses the first section. Properties of other types are passed over; Malformed or Truncated
    // for a damaged stream.
    static Result<PropertySet> read(std::span<const std::uint8_t> stream);

    void setInteger(std::uint32_t id, std::uint32_t type, std::int64_t value) { m_properties[id] = { type, value }; }
    void setFloat(std::uint32_t id, float value) { m_properties[id] = { kTypeR4, value }; }
    void setBlob(std::uint32_t id, std::vector<std::uint8_t> value)
    {
        m_properties[id] = { kTypeBlob, std::move(value) };
    }
    void setVector(std::uint32_t id, std::vector<std::uint32_t> value)
    {
        m_properties[id] = { kTypeVectorUI4, std::move(value) };
    }

    std::optional<std::int64_t> integer(std::uint32_t id) const;
    std::optional<float> real(std::uint32_t id) const;
    const std::vector<std::uint8_t>* blob(std::uint32_t id) const;

    // The stream bytes, with the code page (property 1, Unicode) first.
    std::vector<std::uint8_t> write(const cfb::ClassId& formatId) const;

private:
    std::map<std::uint32_t, Property> m_properties;
};

} // namespace gp::fpx
