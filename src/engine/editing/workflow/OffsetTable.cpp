#include "editing/workflow/OffsetTable.h"

#include <fstream>
#include <string>

namespace gp {

namespace {

// 256 entries need a few kilobytes; a megabyte leaves room for blanks and stray text while a
// huge or endless file is never read whole.
constexpr std::size_t kMaximumFileBytes = 1 << 20;
// Offsets beyond this are not meaningful for any picture; longer digit runs are held here.
constexpr long kOffsetLimit = 1000000;

// The numbers of one entry as they arrive: the sign and digits of each, and whether any digit
// was seen.
struct NumberReader {
    long value = 0;
    bool negative = false;
    bool started = false; // a sign or digit was seen
    bool hasDigits = false;

    void take(char c)
    {
        if (c == '-' || c == '+') {
            if (!hasDigits) {
                negative = c == '-';
                started = true;
            }
            return;
        }
        started = true;
        hasDigits = true;
        value = std::min(value * 10 + (c - '0'), kOffsetLimit);
    }
    int result() const { return int(negative ? -value : value); }
};

} // namespace

OffsetTable OffsetTable::parse(std::string_view text)
{
    OffsetTable table;
    int entry = 0;
    NumberReader numbers[2];
    int current = 0;
    for (char c : text) {
        if (entry >= kOffsetEntries)
            break;
        if (c == ',') {
            if (numbers[1].hasDigits)
                table.m_entries[std::size_t(entry)] = { numbers[0].result(), numbers[1].result() };
            ++entry;
            numbers[0] = {};
            numbers[1] = {};
            current = 0;
        } else if (c == ' ' || c == '\t') {
            // A blank after the first number moves on to the second.
            if (current == 0 && numbers[0].started)
                current = 1;
        } else if ((c >= '0' && c <= '9') || c == '-' || c == '+') {
            numbers[current].take(c);
        }
    }
    return table;
}

OffsetTable OffsetTable::forFrame(const std::filesystem::path& framePath)
{
    std::ifstream file(companionFile(framePath, ".off"));
    if (!file)
        return {};
    std::string text(kMaximumFileBytes, '\0');
    file.read(text.data(), std::streamsize(text.size()));
    text.resize(std::size_t(file.gcount()));
    return parse(text);
}

Point OffsetTable::at(int cell) const
{
    if (cell < 0 || cell >= kOffsetEntries)
        return {};
    return m_entries[std::size_t(cell)];
}

std::filesystem::path companionFile(const std::filesystem::path& framePath, std::string_view extension)
{
    std::filesystem::path path = framePath;
    path.replace_extension(extension);
    return path;
}

} // namespace gp
