#include "CompoundFileWriter.h"

#include "base/ByteReader.h"

#include <algorithm>

namespace gp::cfb {

namespace {

constexpr std::size_t kSector = 512;
constexpr std::size_t kMiniSector = 64;
constexpr std::uint32_t kPerSector = kSector / 4;

std::u16string utf16FromUtf8(const std::string& text)
{
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::uint8_t c = std::uint8_t(text[i]);
        if (c < 0x80) {
            out += char16_t(c);
            i += 1;
        } else if ((c & 0xE0) == 0xC0 && i + 1 < text.size()) {
            out += char16_t(((c & 0x1F) << 6) | (text[i + 1] & 0x3F));
            i += 2;
        } else if (i + 2 < text.size()) {
            out += char16_t(((c & 0x0F) << 12) | ((text[i + 1] & 0x3F) << 6) | (text[i + 2] & 0x3F));
            i += 3;
        } else {
            break;
        }
    }
    return out;
}

// Sibling order of the directory: shorter names first, then by upper-case code units.
bool siblingLess(const std::u16string& a, const std::u16string& b)
{
    if (a.size() != b.size())
        return a.size() < b.size();
    auto upper = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [&](char16_t x, char16_t y) { return upper(x) < upper(y); });
}

struct Entry {
    const Node* node = nullptr;
    std::u16string name;
    std::uint32_t left = kNoEntry, right = kNoEntry, child = kNoEntry;
    std::uint32_t start = kEndOfChain;
    std::uint64_t size = 0;
};

class Layout {
public:
    Result<void> addTree(const Node& root)
    {
        auto id = add(root);
        return id ? Result<void> {} : Result<void>(id.error());
    }

    std::vector<std::uint8_t> build()
    {
        // Small streams into the container, large ones into sectors of their own.
        std::vector<std::uint8_t> mini;
        std::vector<std::uint32_t> miniFat;
        for (Entry& e : m_entries) {
            if (e.node->isStorage)
                continue;
            const auto& data = e.node->data;
            e.size = data.size();
            if (data.empty()) {
                e.start = kEndOfChain;
            } else if (data.size() < kMiniStreamCutoff) {
                e.start = appendChain(mini, miniFat, data, kMiniSector);
            } else {
                e.start = allocate(data);
            }
        }
        m_entries[0].start = mini.empty() ? kEndOfChain : allocate(mini);
        m_entries[0].size = mini.size();
        std::vector<std::uint8_t> miniFatBytes;
        for (std::uint32_t v : miniFat)
            appendU32(miniFatBytes, v);
        const std::uint32_t miniFatStart = miniFatBytes.empty() ? kEndOfChain : allocate(miniFatBytes);
        const std::uint32_t miniFatSectors = std::uint32_t((miniFatBytes.size() + kSector - 1) / kSector);
        const std::uint32_t directoryStart = allocate(directoryBytes());

        // The table must also describe its own sectors and the extension sectors: grow to a fixed point.
        std::uint32_t fatSectors = 0, difatSectors = 0;
        for (;;) {
            const std::uint32_t total = std::uint32_t(m_sectors.size() / kSector) + fatSectors + difatSectors;
            const std::uint32_t needFat = (total + kPerSector - 1) / kPerSector;
            const std::uint32_t needDifat
                = needFat > kHeaderDifatEntries ? (needFat - std::uint32_t(kHeaderDifatEntries) + 126) / 127 : 0;
            if (needFat == fatSectors && needDifat == difatSectors)
                break;
            fatSectors = needFat;
            difatSectors = needDifat;
        }
        const std::uint32_t fatFirst = std::uint32_t(m_sectors.size() / kSector);
        const std::uint32_t difatFirst = fatFirst + fatSectors;
        m_fat.insert(m_fat.end(), fatSectors, kFatSector);
        m_fat.insert(m_fat.end(), difatSectors, kDifatSector);
        m_fat.resize(std::size_t(fatSectors) * kPerSector, kFreeSector);
        for (std::uint32_t v : m_fat)
            appendU32(m_sectors, v);

        std::vector<std::uint32_t> extension;
        for (std::uint32_t i = std::uint32_t(kHeaderDifatEntries); i < fatSectors; ++i)
            extension.push_back(fatFirst + i);
        for (std::uint32_t d = 0; d < difatSectors; ++d) {
            for (std::uint32_t i = 0; i < 127; ++i) {
                const std::size_t k = std::size_t(d) * 127 + i;
                appendU32(m_sectors, k < extension.size() ? extension[k] : kFreeSector);
            }
            appendU32(m_sectors, d + 1 < difatSectors ? difatFirst + d + 1 : kEndOfChain);
        }

        std::vector<std::uint8_t> file(kSector);
        const std::uint8_t signature[8] = { 0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1 };
        std::copy(std::begin(signature), std::end(signature), file.begin());
        std::uint8_t* h = file.data();
        storeU16Le(h + 24, 0x3E);
        storeU16Le(h + 26, 3);
        storeU16Le(h + 28, 0xFFFE);
        storeU16Le(h + 30, 9);
        storeU16Le(h + 32, 6);
        storeU32Le(h + 44, fatSectors);
        storeU32Le(h + 48, directoryStart);
        storeU32Le(h + 56, std::uint32_t(kMiniStreamCutoff));
        storeU32Le(h + 60, miniFatStart);
        storeU32Le(h + 64, miniFatSectors);
        storeU32Le(h + 68, difatSectors ? difatFirst : kEndOfChain);
        storeU32Le(h + 72, difatSectors);
        for (std::uint32_t i = 0; i < kHeaderDifatEntries; ++i)
            storeU32Le(h + 76 + 4 * i, i < fatSectors ? fatFirst + i : kFreeSector);
        file.insert(file.end(), m_sectors.begin(), m_sectors.end());
        return file;
    }

private:
    static void appendU32(std::vector<std::uint8_t>& out, std::uint32_t v)
    {
        std::uint8_t b[4];
        storeU32Le(b, v);
        out.insert(out.end(), b, b + 4);
    }

    // Appends data to a sector sequence padded to whole units, chaining the units in table.
    static std::uint32_t appendChain(std::vector<std::uint8_t>& sectors, std::vector<std::uint32_t>& table,
        const std::vector<std::uint8_t>& data, std::size_t unit)
    {
        const std::uint32_t start = std::uint32_t(sectors.size() / unit);
        const std::uint32_t count = std::uint32_t((data.size() + unit - 1) / unit);
        sectors.insert(sectors.end(), data.begin(), data.end());
        sectors.resize(std::size_t(start + count) * unit);
        for (std::uint32_t i = 0; i < count; ++i)
            table.push_back(i + 1 < count ? start + i + 1 : kEndOfChain);
        return start;
    }

    std::uint32_t allocate(const std::vector<std::uint8_t>& data)
    {
        return appendChain(m_sectors, m_fat, data, kSector);
    }

    Result<std::uint32_t> add(const Node& node)
    {
        Entry entry;
        entry.node = &node;
        entry.name = utf16FromUtf8(node.name);
        if (entry.name.size() > 31)
            return makeError(ErrorKind::Malformed, "compound file: name too long: " + node.name);
        const std::uint32_t id = std::uint32_t(m_entries.size());
        m_entries.push_back(std::move(entry));
        if (!node.isStorage)
            return id;

        std::vector<std::pair<std::u16string, std::uint32_t>> kids;
        for (const Node& child : node.children) {
            auto childId = add(child);
            if (!childId)
                return childId;
            kids.emplace_back(m_entries[*childId].name, *childId);
        }
        std::sort(kids.begin(), kids.end(), [](const auto& a, const auto& b) { return siblingLess(a.first, b.first); });
        m_entries[id].child = balance(kids, 0, kids.size());
        return id;
    }

    std::uint32_t balance(
        const std::vector<std::pair<std::u16string, std::uint32_t>>& kids, std::size_t begin, std::size_t end)
    {
        if (begin >= end)
            return kNoEntry;
        const std::size_t middle = (begin + end) / 2;
        const std::uint32_t id = kids[middle].second;
        m_entries[id].left = balance(kids, begin, middle);
        m_entries[id].right = balance(kids, middle + 1, end);
        return id;
    }

    std::vector<std::uint8_t> directoryBytes() const
    {
        std::vector<std::uint8_t> bytes;
        const std::size_t count = (m_entries.size() + 3) / 4 * 4;
        bytes.resize(count * 128);
        for (std::size_t i = 0; i < count; ++i) {
            std::uint8_t* e = bytes.data() + i * 128;
            if (i >= m_entries.size()) {
                storeU32Le(e + 68, kNoEntry);
                storeU32Le(e + 72, kNoEntry);
                storeU32Le(e + 76, kNoEntry);
                continue;
            }
            const Entry& entry = m_entries[i];
            for (std::size_t c = 0; c < entry.name.size(); ++c)
                storeU16Le(e + 2 * c, std::uint16_t(entry.name[c]));
            storeU16Le(e + 64, std::uint16_t(2 * entry.name.size() + 2));
            e[66] = i == 0 ? 5 : (entry.node->isStorage ? 1 : 2);
            e[67] = 1; // black: a balanced tree needs no red nodes
            storeU32Le(e + 68, entry.left);
            storeU32Le(e + 72, entry.right);
            storeU32Le(e + 76, entry.child);
            std::copy(entry.node->classId.begin(), entry.node->classId.end(), e + 80);
            storeU32Le(e + 116, entry.node->isStorage && i != 0 ? 0 : entry.start);
            storeU32Le(e + 120, std::uint32_t(entry.size));
        }
        return bytes;
    }

    std::vector<Entry> m_entries;
    std::vector<std::uint8_t> m_sectors; // everything after the header
    std::vector<std::uint32_t> m_fat;
};

} // namespace

Result<std::vector<std::uint8_t>> writeCompoundFile(const Node& root)
{
    Layout layout;
    if (auto r = layout.addTree(root); !r)
        return r.error();
    return layout.build();
}

} // namespace gp::cfb
