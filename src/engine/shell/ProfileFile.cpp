#include "shell/ProfileFile.h"

#include "base/AtomicFile.h"

#include <algorithm>
#include <cctype>

namespace gp {

namespace {

constexpr std::size_t kMaxProfileBytes = 16 * 1024 * 1024;
constexpr std::size_t npos = std::string::npos;

std::string_view trim(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

bool equalNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The name of a "[section]" line, or nothing.
bool sectionName(std::string_view line, std::string_view& name)
{
    line = trim(line);
    if (line.size() < 2 || line.front() != '[')
        return false;
    const std::size_t close = line.find(']');
    if (close == npos)
        return false;
    name = trim(line.substr(1, close - 1));
    return true;
}

// Splits "key=value"; false for comments and lines without "=".
bool keyValue(std::string_view line, std::string_view& key, std::string_view& value)
{
    const std::string_view t = trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '#')
        return false;
    const std::size_t eq = line.find('=');
    if (eq == npos)
        return false;
    key = trim(line.substr(0, eq));
    value = trim(line.substr(eq + 1));
    return true;
}

} // namespace

ProfileFile::ProfileFile(std::filesystem::path path) : m_path(std::move(path)) { reload(); }

bool ProfileFile::existsOnDisk() const
{
    std::error_code ec;
    return std::filesystem::is_regular_file(m_path, ec);
}

void ProfileFile::reload()
{
    m_lines.clear();
    m_crlf = true;
    auto bytes = readWholeFile(m_path, kMaxProfileBytes);
    if (!bytes)
        return;
    std::string_view all(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    bool sawLf = false, sawCrLf = false;
    while (!all.empty()) {
        std::size_t end = all.find('\n');
        std::string_view line = all.substr(0, end);
        if (end != npos) {
            sawLf = true;
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
                sawCrLf = true;
            }
        }
        m_lines.emplace_back(line);
        all = end == npos ? std::string_view{} : all.substr(end + 1);
    }
    m_crlf = sawCrLf || !sawLf;
}

std::size_t ProfileFile::findSection(std::string_view section) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        std::string_view name;
        if (sectionName(m_lines[i], name) && equalNoCase(name, section))
            return i;
    }
    return npos;
}

std::size_t ProfileFile::sectionEnd(std::size_t header) const
{
    std::size_t i = header + 1;
    std::string_view name;
    while (i < m_lines.size() && !sectionName(m_lines[i], name))
        ++i;
    return i;
}

std::size_t ProfileFile::findKey(std::size_t header, std::string_view key) const
{
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        std::string_view k, v;
        if (keyValue(m_lines[i], k, v) && equalNoCase(k, key))
            return i;
    }
    return npos;
}

bool ProfileFile::hasKey(std::string_view section, std::string_view key) const
{
    const std::size_t header = findSection(section);
    return header != npos && findKey(header, key) != npos;
}

std::string ProfileFile::readString(std::string_view section, std::string_view key, std::string_view def,
                                    std::size_t maxChars) const
{
    std::string_view value = def;
    const std::size_t header = findSection(section);
    const std::size_t line = header == npos ? npos : findKey(header, key);
    if (line != npos) {
        std::string_view k;
        keyValue(m_lines[line], k, value);
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, maxChars));
}

int ProfileFile::readInt(std::string_view section, std::string_view key, int def) const
{
    if (!hasKey(section, key))
        return def;
    const std::string value = readString(section, key, "", 64);
    std::size_t i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+'))
        negative = value[i++] == '-';
    long long n = 0;
    for (; i < value.size() && std::isdigit(static_cast<unsigned char>(value[i])); ++i)
        n = std::min<long long>(n * 10 + (value[i] - '0'), 1LL << 32);
    // Values past the int range wrap as a 32-bit conversion would.
    return static_cast<int>(static_cast<std::uint32_t>(negative ? -n : n));
}

std::vector<std::string> ProfileFile::sectionNames() const
{
    std::vector<std::string> names;
    for (const auto& line : m_lines) {
        std::string_view name;
        if (sectionName(line, name))
            names.emplace_back(name);
    }
    return names;
}

std::vector<std::pair<std::string, std::string>> ProfileFile::readSection(std::string_view section) const
{
    std::vector<std::pair<std::string, std::string>> pairs;
    const std::size_t header = findSection(section);
    if (header == npos)
        return pairs;
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        std::string_view k, v;
        if (keyValue(m_lines[i], k, v))
            pairs.emplace_back(k, v);
    }
    return pairs;
}

bool ProfileFile::save(std::vector<std::string> lines)
{
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += m_crlf ? "\r\n" : "\n";
    }
    if (!writeFileAtomically(m_path, text))
        return false;
    m_lines = std::move(lines);
    return true;
}

bool ProfileFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    std::vector<std::string> lines = m_lines;
    const std::string entry = std::string(key) + "=" + std::string(value);
    const std::size_t header = findSection(section);
    if (header == npos) {
        if (!lines.empty() && !trim(lines.back()).empty())
            lines.emplace_back();
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(entry);
    } else if (const std::size_t line = findKey(header, key); line != npos) {
        lines[line] = entry;
    } else {
        // After the section's last non-blank line, so blank separators stay between sections.
        std::size_t at = sectionEnd(header);
        while (at > header + 1 && trim(lines[at - 1]).empty())
            --at;
        lines.insert(lines.begin() + std::ptrdiff_t(at), entry);
    }
    return save(std::move(lines));
}

bool ProfileFile::writeInt(std::string_view section, std::string_view key, int value)
{
    return writeString(section, key, std::to_string(value));
}

bool ProfileFile::removeKey(std::string_view section, std::string_view key)
{
    const std::size_t header = findSection(section);
    const std::size_t line = header == npos ? npos : findKey(header, key);
    if (line == npos)
        return true;
    std::vector<std::string> lines = m_lines;
    lines.erase(lines.begin() + std::ptrdiff_t(line));
    return save(std::move(lines));
}

bool ProfileFile::removeSection(std::string_view section)
{
    const std::size_t header = findSection(section);
    if (header == npos)
        return true;
    std::vector<std::string> lines = m_lines;
    lines.erase(lines.begin() + std::ptrdiff_t(header), lines.begin() + std::ptrdiff_t(sectionEnd(header)));
    return save(std::move(lines));
}

bool ProfileFile::writeSection(std::string_view section, const std::vector<std::string>& entries)
{
    std::vector<std::string> lines = m_lines;
    const std::size_t header = findSection(section);
    if (header == npos) {
        if (!lines.empty() && !trim(lines.back()).empty())
            lines.emplace_back();
        lines.push_back("[" + std::string(section) + "]");
        lines.insert(lines.end(), entries.begin(), entries.end());
    } else {
        // Blank lines at the section's end stay as the separator before the next one.
        std::size_t end = sectionEnd(header);
        while (end > header + 1 && trim(lines[end - 1]).empty())
            --end;
        lines.erase(lines.begin() + std::ptrdiff_t(header + 1), lines.begin() + std::ptrdiff_t(end));
        lines.insert(lines.begin() + std::ptrdiff_t(header + 1), entries.begin(), entries.end());
    }
    return save(std::move(lines));
}

} // namespace gp
