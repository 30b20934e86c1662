#include "print/PrinterSelection.h"

#include <algorithm>

namespace gp {

void PrinterSelection::setCopies(int copies)
{
    m_copies = std::clamp(copies, 1, 99);
}

bool PrinterSelection::settingsChanged(std::optional<std::string_view> section)
{
    if (section && *section == "devices")
        return false;
    m_stale = true;
    return true;
}

void PrinterSelection::dropIfStale()
{
    if (!m_stale)
        return;
    m_choice.reset();
    m_savedOrientation.reset();
    m_stale = false;
}

void PrinterSelection::applyJobSettings()
{
    if (!m_choice)
        return;
    DeviceMode& mode = m_choice->mode;
    mode.copies = m_copies;
    if (m_override != OrientationOverride::None) {
        if (!m_savedOrientation)
            m_savedOrientation = mode.orientation;
        mode.orientation = m_override == OrientationOverride::Portrait ? Orientation::Portrait : Orientation::Landscape;
    } else if (m_savedOrientation) {
        mode.orientation = *m_savedOrientation;
        m_savedOrientation.reset();
    }
}

} // namespace gp
