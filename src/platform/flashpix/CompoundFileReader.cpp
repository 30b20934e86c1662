#include "CompoundFileReader.h"

#include "base/ByteReader.h"

#include <algorithm>
#include <cstring>

namespace gp::cfb {

namespace {

constexpr std::uint8_t kSignature[8] = { 0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1 };
constexpr std::size_t kEntrySize = 128;
constexpr std::size_t kMiniSectorSize = 64;

Error malformed(const std::string& what)
{
    return makeError(ErrorKind::Malformed, "compound file: " + what);
}

std::string utf8FromUtf16(const std::uint8_t* units, std::size_t count)
{
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t c = loadU16Le(units + 2 * i);
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; };
        return upper(x) == upper(y);
    });
}

} // namespace

Result<CompoundFileReader> CompoundFileReader::open(std::span<const std::uint8_t> file)
{
    ByteReader header(file);
    auto head = header.readBytes(512);
    if (!head)
        return head.error();
    const std::uint8_t* h = head->data();
    if (std::memcmp(h, kSignature, 8) != 0)
        return malformed("no signature");
    const std::uint16_t sectorShift = loadU16Le(h + 30);
    if (loadU16Le(h + 28) != 0xFFFE || (sectorShift != 9 && sectorShift != 12) || loadU16Le(h + 32) != 6)
        return malformed("unsupported sector sizes");

    CompoundFileReader reader;
    reader.m_file = file;
    reader.m_sectorSize = std::size_t(1) << sectorShift;
    const std::size_t body = file.size() > reader.m_sectorSize ? file.size() - reader.m_sectorSize : 0;
    const std::size_t sectors = (body + reader.m_sectorSize - 1) / reader.m_sectorSize;
    if (sectors >= kFatSector)
        return malformed("too many sectors");
    reader.m_sectorCount = std::uint32_t(sectors);

    if (auto r = reader.readFat(loadU32Le(h + 44), loadU32Le(h + 68), loadU32Le(h + 72)); !r)
        return r.error();
    if (auto r = reader.readDirectory(loadU32Le(h + 48)); !r)
        return r.error();
    if (loadU32Le(h + 56) != kMiniStreamCutoff)
        return malformed("unexpected small-stream cutoff");
    if (auto r = reader.readMiniStream(loadU32Le(h + 60), loadU32Le(h + 64)); !r)
        return r.error();
    return reader;
}

std::span<const std::uint8_t> CompoundFileReader::sector(std::uint32_t index) const
{
    const std::size_t offset = (std::size_t(index) + 1) * m_sectorSize;
    return m_file.subspan(offset, std::min(m_sectorSize, m_file.size() - offset));
}

Result<void> CompoundFileReader::readFat(std::uint32_t fatSectors, std::uint32_t firstDifat, std::uint32_t difatSectors)
{
    if (fatSectors > m_sectorCount || difatSectors > m_sectorCount)
        return malformed("allocation table larger than the file");
    std::vector<std::uint32_t> fatSectorList;
    for (std::size_t i = 0; i < kHeaderDifatEntries && fatSectorList.size() < fatSectors; ++i)
        fatSectorList.push_back(loadU32Le(m_file.data() + 76 + 4 * i));
    // The extension sectors each hold sectorSize/4 − 1 table sector numbers and the next one's number.
    std::uint32_t next = firstDifat;
    for (std::uint32_t n = 0; n < difatSectors && fatSectorList.size() < fatSectors; ++n) {
        if (next >= m_sectorCount)
            return malformed("bad allocation-table extension sector");
        const auto bytes = sector(next);
        if (bytes.size() < m_sectorSize)
            return makeError(ErrorKind::Truncated, "compound file: extension sector cut short");
        const std::size_t perSector = m_sectorSize / 4 - 1;
        for (std::size_t i = 0; i < perSector && fatSectorList.size() < fatSectors; ++i)
            fatSectorList.push_back(loadU32Le(bytes.data() + 4 * i));
        next = loadU32Le(bytes.data() + 4 * perSector);
    }
    if (fatSectorList.size() < fatSectors)
        return malformed("allocation table incomplete");

    m_fat.reserve(fatSectorList.size() * (m_sectorSize / 4));
    for (std::uint32_t index : fatSectorList) {
        if (index >= m_sectorCount)
            return malformed("allocation table sector outside the file");
        const auto bytes = sector(index);
        for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4)
            m_fat.push_back(loadU32Le(bytes.data() + i));
    }
    return {};
}

Result<std::vector<std::uint32_t>> CompoundFileReader::chain(
    const std::vector<std::uint32_t>& table, std::uint32_t start) const
{
    std::vector<std::uint32_t> sectors;
    for (std::uint32_t current = start; current != kEndOfChain;) {
        if (current >= table.size())
            return malformed("chain leaves the allocation table");
        // A chain longer than the table has entries must visit some sector twice.
        if (sectors.size() >= table.size())
            return malformed("chain loops");
        sectors.push_back(current);
        current = table[current];
    }
    return sectors;
}

Result<std::vector<std::uint8_t>> CompoundFileReader::readChain(std::uint32_t start, std::uint64_t size) const
{
    if (size > m_file.size())
        return malformed("stream larger than the file");
    auto sectors = chain(m_fat, start);
    if (!sectors)
        return sectors.error();
    std::vector<std::uint8_t> bytes;
    bytes.reserve(std::size_t(size));
    for (std::uint32_t index : *sectors) {
        if (bytes.size() >= size)
            break;
        if (index >= m_sectorCount)
            return malformed("stream sector outside the file");
        const auto data = sector(index);
        const std::size_t take = std::min<std::size_t>(data.size(), std::size_t(size) - bytes.size());
        bytes.insert(bytes.end(), data.begin(), data.begin() + std::ptrdiff_t(take));
    }
    if (bytes.size() < size)
        return makeError(ErrorKind::Truncated, "compound file: stream shorter than its size");
    return bytes;
}

Result<void> CompoundFileReader::readDirectory(std::uint32_t firstSector)
{
    auto sectors = chain(m_fat, firstSector);
    if (!sectors)
        return sectors.error();
    auto bytes = readChain(firstSector, std::uint64_t(sectors->size()) * m_sectorSize);
    if (!bytes)
        return bytes.error();
    for (std::size_t offset = 0; offset + kEntrySize <= bytes->size(); offset += kEntrySize) {
        const std::uint8_t* e = bytes->data() + offset;
        DirectoryEntry entry;
        const std::size_t nameBytes = std::min<std::size_t>(loadU16Le(e + 64), 64);
        entry.name = utf8FromUtf16(e, nameBytes >= 2 ? nameBytes / 2 - 1 : 0);
        entry.type = e[66];
        entry.left = loadU32Le(e + 68);
        entry.right = loadU32Le(e + 72);
        entry.child = loadU32Le(e + 76);
        std::copy_n(e + 80, 16, entry.classId.begin());
        entry.start = loadU32Le(e + 116);
        // Version 3 files keep only the low 32 bits of the size meaningful.
        entry.size
            = m_sectorSize == 512 ? loadU32Le(e + 120) : loadU32Le(e + 120) | (std::uint64_t(loadU32Le(e + 124)) << 32);
        m_entries.push_back(std::move(entry));
    }
    if (m_entries.empty() || m_entries[0].type != 5)
        return malformed("no root entry");
    return {};
}

Result<void> CompoundFileReader::readMiniStream(std::uint32_t firstMiniFat, std::uint32_t miniFatSectors)
{
    const DirectoryEntry& root = m_entries[0];
    if (root.size == 0)
        return {};
    auto stream = readChain(root.start, root.size);
    if (!stream)
        return stream.error();
    m_miniStream = std::move(*stream);
    if (miniFatSectors == 0)
        return {};
    if (miniFatSectors > m_sectorCount)
        return malformed("small-stream table larger than the file");
    auto table = readChain(firstMiniFat, std::uint64_t(miniFatSectors) * m_sectorSize);
    if (!table)
        return table.error();
    for (std::size_t i = 0; i + 4 <= table->size(); i += 4)
        m_miniFat.push_back(loadU32Le(table->data() + i));
    return {};
}

std::optional<std::uint32_t> CompoundFileReader::findChild(std::uint32_t storage, std::string_view name) const
{
    if (storage >= m_entries.size())
        return std::nullopt;
    std::vector<bool> seen(m_entries.size());
    std::vector<std::uint32_t> pending { m_entries[storage].child };
    while (!pending.empty()) {
        const std::uint32_t id = pending.back();
        pending.pop_back();
        if (id >= m_entries.size() || seen[id])
            continue;
        seen[id] = true;
        const DirectoryEntry& e = m_entries[id];
        if ((e.type == 1 || e.type == 2) && sameName(e.name, name))
            return id;
        pending.push_back(e.left);
        pending.push_back(e.right);
    }
    return std::nullopt;
}

Result<std::vector<std::uint8_t>> CompoundFileReader::readStream(std::uint32_t id) const
{
    if (id >= m_entries.size() || m_entries[id].type != 2)
        return malformed("not a stream");
    const DirectoryEntry& e = m_entries[id];
    if (e.size >= kMiniStreamCutoff)
        return readChain(e.start, e.size);
    if (e.size == 0)
        return std::vector<std::uint8_t> {};
    auto sectors = chain(m_miniFat, e.start);
    if (!sectors)
        return sectors.error();
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t index : *sectors) {
        if (bytes.size() >= e.size)
            break;
        const std::size_t offset = std::size_t(index) * kMiniSectorSize;
        if (offset >= m_miniStream.size())
            return malformed("small stream outside its container");
        const std::size_t take
            = std::min({ kMiniSectorSize, m_miniStream.size() - offset, std::size_t(e.size) - bytes.size() });
        bytes.insert(bytes.end(), m_miniStream.begin() + std::ptrdiff_t(offset),
            m_miniStream.begin() + std::ptrdiff_t(offset + take));
    }
    if (bytes.size() < e.size)
        return makeError(ErrorKind::Truncated, "compound file: small stream shorter than its size");
    return bytes;
}

} // namespace gp::cfb
