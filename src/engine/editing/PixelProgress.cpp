#include "editing/PixelProgress.h"

#include "shell/ProgressPort.h"

namespace gp {

PixelProgress::PixelProgress(ProgressPort& host, int rows, Interrupt interrupt)
    : m_host(host)
    , m_status(host)
    , m_rows(rows > 0 ? rows : 1)
    , m_interrupt(interrupt)
{
    m_host.setWaitCursor(true);
}

PixelProgress::~PixelProgress()
{
    m_status.progress(100, ProgressKind::Processing);
    m_host.setWaitCursor(false);
}

bool PixelProgress::beforeRow(int row)
{
    if (m_interrupt == Interrupt::ByEscape && m_host.escapePressed())
        return false;
    if (row % 16 == 0)
        m_status.progress(int(static_cast<long long>(row) * 100 / m_rows), ProgressKind::Processing);
    return true;
}

} // namespace gp
