#pragma once
// The recent-files block: slot 0 the last directory, slots 1..4 the most recently used files,
// newest first.

#include <array>
#include <string>
#include <string_view>

namespace gp {

class RecentFiles {
public:
    static constexpr int kSlots = 5;
    static constexpr std::size_t kMaxLength = 127;

    const std::array<std::string, kSlots>& entries() const { return m_slots; }
    void setSlot(int index, std::string_view value) { m_slots[std::size_t(index)] = std::string(value.substr(0, kMaxLength)); }
    const std::string& lastDirectory() const { return m_slots[0]; }
    // Recent file 1..4.
    const std::string& file(int index) const { return m_slots[std::size_t(index)]; }

    // Records a document's path: its directory goes to slot 0 and the path moves to slot 1.
    void add(std::string_view path);

private:
    std::array<std::string, kSlots> m_slots;
};

// The directory part of a path: up to the last "\" or "/", or just after a drive's ":".
std::string directoryOf(std::string_view path);

} // namespace gp
