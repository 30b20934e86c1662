#include "editing/RowProgress.h"

#include "shell/Host.h"
#include "shell/StringTable.h"

#include <string>

namespace gp {

RowProgress::RowProgress(Host& host, int rows, Interrupt interrupt)
    : m_host(host)
    , m_rows(rows > 0 ? rows : 1)
    , m_interrupt(interrupt)
{
    m_host.setWaitCursor(true);
    if (m_interrupt == Interrupt::ByEscape)
        m_host.setStatus(StatusPane::Help, text(StringId::PressEscToAbort));
}

RowProgress::~RowProgress()
{
    m_host.setStatus(StatusPane::Message, text(StringId::StatusReady));
    if (m_interrupt == Interrupt::ByEscape)
        m_host.setStatus(StatusPane::Help, "");
    m_host.setWaitCursor(false);
}

bool RowProgress::beforeRow(int row)
{
    if (m_interrupt == Interrupt::ByEscape && m_host.escapePressed())
        return false;
    if (row % 16 == 0)
        show(int(static_cast<long long>(row) * 100 / m_rows));
    return true;
}

void RowProgress::show(int percent)
{
    m_host.setStatus(
        StatusPane::Message, std::string(text(StringId::ProgressProcessing)) + std::to_string(percent) + "%");
}

} // namespace gp
