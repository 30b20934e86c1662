#include "album/AlbumProgress.h"

#include "shell/Host.h"
#include "shell/StringTable.h"

#include <string>

namespace gp {

void AlbumProgress::report(std::size_t done, std::size_t total)
{
    const int percent = total == 0 ? 100 : int(std::uint64_t(done) * 100 / total);
    if (percent >= 100) {
        m_host->setStatus(StatusPane::Message, text(StringId::StatusReady));
        return;
    }
    const StringId kind = m_kind == AlbumProgressKind::Reading ? StringId::ProgressReading : StringId::ProgressSaving;
    m_host->setStatus(StatusPane::Message, std::string(text(kind)) + std::to_string(percent) + "%");
}

bool AlbumProgress::abortRequested()
{
    return m_host->escapePressed();
}

} // namespace gp
