#include "PropertySet.h"

#include "base/ByteReader.h"

#include <cstring>

namespace gp::fpx {

namespace {

constexpr std::uint32_t kCodePageId = 1;
constexpr std::int64_t kUnicodeCodePage = 1200;
// Vectors and strings longer than this are not image-file properties; refusing them bounds the
// allocation a hostile count could ask for.
constexpr std::uint32_t kLongestValue = 1u << 24;

void appendU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    std::uint8_t b[4];
    storeU32Le(b, v);
    out.insert(out.end(), b, b + 4);
}

void padTo4(std::vector<std::uint8_t>& out)
{
    out.resize((out.size() + 3) & ~std::size_t(3));
}

std::vector<std::uint8_t> encodeValue(const Property& p)
{
    std::vector<std::uint8_t> out;
    appendU32(out, p.type);
    switch (p.type) {
    case kTypeI2: appendU32(out, std::uint32_t(std::get<std::int64_t>(p.value)) & 0xFFFF); break;
    case kTypeI4:
    case kTypeUI4: appendU32(out, std::uint32_t(std::get<std::int64_t>(p.value))); break;
    case kTypeR4: {
        const float f = std::get<float>(p.value);
        std::uint32_t bits = 0;
        std::memcpy(&bits, &f, 4);
        appendU32(out, bits);
        break;
    }
    case kTypeBlob: {
        const auto& b = std::get<std::vector<std::uint8_t>>(p.value);
        appendU32(out, std::uint32_t(b.size()));
        out.insert(out.end(), b.begin(), b.end());
        break;
    }
    case kTypeVectorUI4: {
        const auto& v = std::get<std::vector<std::uint32_t>>(p.value);
        appendU32(out, std::uint32_t(v.size()));
        for (std::uint32_t x : v)
            appendU32(out, x);
        break;
    }
    }
    padTo4(out);
    return out;
}

Result<Property> decodeValue(ByteReader& r)
{
    auto type = r.readU32Le();
    if (!type)
        return type.error();
    Property p { *type, std::int64_t(0) };
    switch (*type) {
    case kTypeI2: {
        auto v = r.readI16Le();
        if (!v)
            return v.error();
        p.value = std::int64_t(*v);
        return p;
    }
    case kTypeI4: {
        auto v = r.readI32Le();
        if (!v)
            return v.error();
        p.value = std::int64_t(*v);
        return p;
    }
    case kTypeUI4: {
        auto v = r.readU32Le();
        if (!v)
            return v.error();
        p.value = std::int64_t(*v);
        return p;
    }
    case kTypeR4: {
        auto v = r.readU32Le();
        if (!v)
            return v.error();
        float f = 0;
        const std::uint32_t bits = *v;
        std::memcpy(&f, &bits, 4);
        p.value = f;
        return p;
    }
    case kTypeBlob: {
        auto size = r.readU32Le();
        if (!size)
            return size.error();
        auto bytes = r.readBytes(*size);
        if (!bytes)
            return bytes.error();
        p.value = std::vector<std::uint8_t>(bytes->begin(), bytes->end());
        return p;
    }
    case kTypeVectorUI4: {
        auto count = r.readU32Le();
        if (!count)
            return count.error();
        if (*count > kLongestValue || std::size_t(*count) * 4 > r.remaining())
            return makeError(ErrorKind::Truncated, "property set: vector runs past the stream");
        std::vector<std::uint32_t> v(*count);
        for (auto& x : v)
            x = *r.readU32Le();
        p.value = std::move(v);
        return p;
    }
    default: return makeError(ErrorKind::Unsupported, "property set: type not kept");
    }
}

} // namespace

Result<PropertySet> PropertySet::read(std::span<const std::uint8_t> stream)
{
    ByteReader r(stream);
    auto byteOrder = r.readU16Le();
    if (!byteOrder)
        return byteOrder.error();
    if (*byteOrder != 0xFFFE)
        return makeError(ErrorKind::Malformed, "property set: bad byte order");
    if (auto s = r.seek(24); !s)
        return s.error();
    auto sections = r.readU32Le();
    if (!sections)
        return sections.error();
    if (*sections < 1)
        return makeError(ErrorKind::Malformed, "property set: no section");
    if (auto s = r.skip(16); !s)
        return s.error();
    auto sectionOffset = r.readU32Le();
    if (!sectionOffset)
        return sectionOffset.error();
    if (auto s = r.seek(*sectionOffset); !s)
        return s.error();
    auto sectionSize = r.readU32Le();
    auto count = r.readU32Le();
    if (!sectionSize || !count)
        return makeError(ErrorKind::Truncated, "property set: section header cut short");
    const std::size_t sectionStart = *sectionOffset;
    if (std::size_t(*count) * 8 > r.remaining())
        return makeError(ErrorKind::Truncated, "property set: too many properties");

    PropertySet set;
    for (std::uint32_t i = 0; i < *count; ++i) {
        const std::uint32_t id = *r.readU32Le();
        const std::uint32_t offset = *r.readU32Le();
        ByteReader value(stream);
        if (auto s = value.seek(sectionStart + std::size_t(offset)); !s)
            return s.error();
        auto property = decodeValue(value);
        if (property)
            set.m_properties[id] = std::move(*property);
        else if (property.error().kind != ErrorKind::Unsupported)
            return property.error();
    }
    return set;
}

std::optional<std::int64_t> PropertySet::integer(std::uint32_t id) const
{
    auto it = m_properties.find(id);
    if (it == m_properties.end() || !std::holds_alternative<std::int64_t>(it->second.value))
        return std::nullopt;
    return std::get<std::int64_t>(it->second.value);
}

std::optional<float> PropertySet::real(std::uint32_t id) const
{
    auto it = m_properties.find(id);
    if (it == m_properties.end() || !std::holds_alternative<float>(it->second.value))
        return std::nullopt;
    return std::get<float>(it->second.value);
}

const std::vector<std::uint8_t>* PropertySet::blob(std::uint32_t id) const
{
    auto it = m_properties.find(id);
    if (it == m_properties.end() || !std::holds_alternative<std::vector<std::uint8_t>>(it->second.value))
        return nullptr;
    return &std::get<std::vector<std::uint8_t>>(it->second.value);
}

std::vector<std::uint8_t> PropertySet::write(const cfb::ClassId& formatId) const
{
    std::map<std::uint32_t, Property> all = m_properties;
    all[kCodePageId] = Property { kTypeI2, kUnicodeCodePage };

    std::vector<std::uint8_t> values;
    std::vector<std::uint8_t> table;
    const std::size_t tableEnd = 8 + 8 * all.size();
    for (const auto& [id, property] : all) {
        appendU32(table, id);
        appendU32(table, std::uint32_t(tableEnd + values.size()));
        const auto encoded = encodeValue(property);
        values.insert(values.end(), encoded.begin(), encoded.end());
    }

    std::vector<std::uint8_t> out;
    out.insert(out.end(), { 0xFE, 0xFF, 0x00, 0x00 });
    appendU32(out, 0x00020005); // written on a 32-bit Windows system, as the format's files say
    out.insert(out.end(), formatId.begin(), formatId.end());
    appendU32(out, 1);
    out.insert(out.end(), formatId.begin(), formatId.end());
    appendU32(out, 48);
    appendU32(out, std::uint32_t(tableEnd + values.size()));
    appendU32(out, std::uint32_t(all.size()));
    out.insert(out.end(), table.begin(), table.end());
    out.insert(out.end(), values.begin(), values.end());
    return out;
}

} // namespace gp::fpx
