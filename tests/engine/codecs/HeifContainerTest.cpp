#include "codecs/HeifContainer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace gp;

namespace {

using Bytes = std::vector<std::uint8_t>;

void put32(Bytes& out, std::uint64_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(std::uint8_t(value >> shift));
}

void put16(Bytes& out, unsigned value)
{
    out.push_back(std::uint8_t(value >> 8));
    out.push_back(std::uint8_t(value));
}

Bytes box(const char* type, const Bytes& body)
{
    Bytes out;
    put32(out, body.size() + 8);
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

struct Extent {
    unsigned method; // 0 in the file, 1 in 'idat'
    std::uint64_t base, offset, length;
};

// A file of a file-type box, a metadata box with item locations (version 1, four-byte fields)
// and 16 bytes of 'idat', and a media box of 100 bytes starting at mediaStart().
Bytes heifFile(const std::vector<Extent>& extents, std::size_t cutLocations = 0)
{
    Bytes iloc { 1, 0, 0, 0, 0x44, 0x40 };
    put16(iloc, unsigned(extents.size()));
    for (std::size_t i = 0; i < extents.size(); ++i) {
        put16(iloc, unsigned(i + 1));
        put16(iloc, extents[i].method);
        put16(iloc, 0);
        put32(iloc, extents[i].base);
        put16(iloc, 1);
        put32(iloc, extents[i].offset);
        put32(iloc, extents[i].length);
    }
    iloc.resize(iloc.size() - cutLocations);
    Bytes meta { 0, 0, 0, 0 };
    for (const Bytes& inner : { box("iloc", iloc), box("idat", Bytes(16, 7)) })
        meta.insert(meta.end(), inner.begin(), inner.end());
    Bytes file = box("ftyp", { 'h', 'e', 'i', 'c', 0, 0, 0, 0, 'm', 'i', 'f', '1' });
    for (const Bytes& part : { box("meta", meta), box("mdat", Bytes(100, 9)) })
        file.insert(file.end(), part.begin(), part.end());
    return file;
}

} // namespace

// The decoding library sizes its buffers from the item lengths, so a length past the bytes that
// hold the item must be refused before it is asked to decode.
TEST(HeifContainer, ItemDataMustLieInsideTheFileOrItsMetadata)
{
    const std::uint64_t size = heifFile({ { 0, 0, 0, 0 } }).size();
    const std::uint64_t media = size - 100;
    EXPECT_TRUE(heifItemDataInside(heifFile({ { 0, media, 0, 100 }, { 1, 0, 8, 8 } })));
    EXPECT_TRUE(heifItemDataInside(heifFile({ { 0, media, 0, 0 } }))); // to the end of the file
    EXPECT_TRUE(heifItemDataInside(box("ftyp", { 'h', 'e', 'i', 'c' }))); // nothing located

    EXPECT_FALSE(heifItemDataInside(heifFile({ { 0, media, 0, 101 } })));
    EXPECT_FALSE(heifItemDataInside(heifFile({ { 0, media, 101, 0 } })));
    EXPECT_FALSE(heifItemDataInside(heifFile({ { 1, 0, 8, 1073741832 } }))); // found by fuzzing
    EXPECT_FALSE(heifItemDataInside(heifFile({ { 1, 0, 17, 0 } })));
    EXPECT_FALSE(heifItemDataInside(heifFile({ { 0, 0xFFFFFFFF, 0xFFFFFFFF, 2 } }))); // sums past 32 bits
    EXPECT_FALSE(heifItemDataInside(heifFile({ { 0, media, 0, 100 } }, 3))); // locations cut short
}
