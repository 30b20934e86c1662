#include "image/ConversionProgress.h"

#include "shell/ProgressPort.h"

namespace gp {

bool ConversionProgress::update(int percent)
{
    if (percent >= 100) {
        finish();
        return true;
    }
    m_host->setStatus(StatusPane::Message, std::string(text(m_kind)) + std::to_string(percent) + "%");
    return !m_host->escapePressed();
}

void ConversionProgress::finish()
{
    m_host->setStatus(StatusPane::Message, text(StringId::ProgressReady));
}

} // namespace gp
