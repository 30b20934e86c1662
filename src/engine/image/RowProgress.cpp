#include "image/RowProgress.h"

#include "shell/Host.h"

namespace gp {

bool RowProgress::update(int percent)
{
    if (percent >= 100) {
        finish();
        return true;
    }
    m_host->setStatus(StatusPane::Message, std::string(text(m_kind)) + std::to_string(percent) + "%");
    return !m_host->escapePressed();
}

void RowProgress::finish()
{
    m_host->setStatus(StatusPane::Message, text(StringId::StatusReady));
}

} // namespace gp
