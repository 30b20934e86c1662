#pragma once
// The background catalogue of the single-photo page, template/template.lst: section "TempList"
// with "Files" entries, each with a display name ("Name%d") and a picture for the portrait
// ("Port%d") and the landscape page ("Land%d"), relative to the program folder.

#include "shell/ProfileFile.h"

#include <string>
#include <vector>

namespace gp {

struct BackgroundEntry {
    int number = 0; // 1-based entry number in the file
    std::string name;
    std::string portraitFile;
    std::string landscapeFile;
};

class BackgroundCatalog {
public:
    // Entries without a name are not listed.
    static BackgroundCatalog read(const ProfileFile& catalogue);

    const std::vector<BackgroundEntry>& entries() const { return m_entries; }
    // The background list: "None ", "Color ", then the entries' names.
    std::vector<std::string> listNames() const;
    // The entry of list position k (k >= 2), or nothing.
    const BackgroundEntry* entryAt(int listPosition) const;

private:
    std::vector<BackgroundEntry> m_entries;
};

} // namespace gp
