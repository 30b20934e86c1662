#include "shell/RecentFiles.h"

namespace gp {

std::string directoryOf(std::string_view path)
{
    for (std::size_t i = path.size(); i-- > 0;) {
        if (path[i] == '\\' || path[i] == '/')
            return std::string(path.substr(0, i));
        if (path[i] == ':')
            return std::string(path.substr(0, i + 1));
    }
    return {};
}

void RecentFiles::add(std::string_view path)
{
    setSlot(0, directoryOf(path));
    const std::string title(path.substr(0, kMaxLength));
    int found = 0;
    for (int k = 1; k < kSlots; ++k)
        if (m_slots[std::size_t(k)] == title) {
            found = k;
            break;
        }
    if (found == 1)
        return;
    // Slots above the old place (or all but the last when absent) move down by one.
    const int last = found > 1 ? found : kSlots - 1;
    for (int k = last; k > 1; --k)
        m_slots[std::size_t(k)] = m_slots[std::size_t(k - 1)];
    m_slots[1] = title;
}

} // namespace gp
