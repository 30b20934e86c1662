#include "shell/StatusLine.h"

#include "shell/ProgressPort.h"
#include "shell/StringTable.h"

#include <string>

namespace gp {

void StatusLine::progress(int percent, ProgressKind kind)
{
    if (m_quiet)
        return;
    // The help pane now shows the abort hint, so the next hint must show again.
    m_shownId = 0;
    if (percent >= 100) {
        m_host->setStatus(StatusPane::Message, text(StringId::ProgressReady));
        m_host->setStatus(StatusPane::Help, "");
        return;
    }
    const std::string line
        = std::string(text(int(StringId::ProgressReading) + int(kind))) + std::to_string(percent) + "%";
    m_host->setStatus(StatusPane::Message, line);
    m_host->setStatus(StatusPane::Help, text(StringId::PressEscToAbort));
}

bool StatusLine::help(std::string_view line, int stringId)
{
    if (stringId != 0) {
        if (stringId != m_requestedId) {
            m_requestedId = stringId;
            m_requests = 0;
        }
        ++m_requests;
        if (stringId == m_shownId || (isRepeatingHint(stringId) && m_requests <= 5))
            return false;
    }
    m_shownId = stringId;
    m_host->setStatus(StatusPane::Help, line);
    return true;
}

bool StatusLine::help(int stringId)
{
    return help(text(stringId), stringId);
}

} // namespace gp
