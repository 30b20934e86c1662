#pragma once
// An initialisation file of the Windows kind ([section] headers, key=value lines) with the
// private-profile behaviour the program relies on: sections and keys match without regard to
// case, the first of duplicate keys wins, integers are parsed from their leading digits, missing
// keys and files give the caller's default, and a write creates the file and section while
// keeping comments and every line it does not touch. Each write replaces the file atomically.

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gp {

class ProfileFile {
public:
    // Reads path; a missing or unreadable file behaves as an empty one.
    explicit ProfileFile(std::filesystem::path path);

    const std::filesystem::path& path() const { return m_path; }
    bool existsOnDisk() const;
    void reload();

    // The value's leading optional sign and digits; 0 when there are none; def when the key is
    // missing.
    int readInt(std::string_view section, std::string_view key, int def) const;
    // The value without surrounding blanks or one pair of enclosing quotes, cut to maxChars.
    std::string readString(std::string_view section, std::string_view key, std::string_view def,
                           std::size_t maxChars = 127) const;
    bool hasKey(std::string_view section, std::string_view key) const;
    std::vector<std::string> sectionNames() const;
    // Every key=value pair of a section in file order (duplicates included).
    std::vector<std::pair<std::string, std::string>> readSection(std::string_view section) const;

    // Each returns false when the file could not be written (the change is then not kept).
    bool writeString(std::string_view section, std::string_view key, std::string_view value);
    bool writeInt(std::string_view section, std::string_view key, int value);
    bool removeKey(std::string_view section, std::string_view key);
    bool removeSection(std::string_view section);
    // Replaces everything in a section with the given "key=value" lines in one write, as a
    // whole section is written back; the section keeps its place or is added at the end.
    bool writeSection(std::string_view section, const std::vector<std::string>& entries);

private:
    // Index of the header line of a section, or npos.
    std::size_t findSection(std::string_view section) const;
    // Index of the first line of a key in the section starting after header, or npos.
    std::size_t findKey(std::size_t header, std::string_view key) const;
    std::size_t sectionEnd(std::size_t header) const;
    bool save(std::vector<std::string> lines);

    std::filesystem::path m_path;
    std::vector<std::string> m_lines;
    bool m_crlf = true;
};

} // namespace gp
