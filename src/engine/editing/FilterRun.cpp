#include "editing/FilterRun.h"

#include "shell/StringTable.h"

#include <string>

namespace gp {

WaitCursorScope::WaitCursorScope(const FilterRun& run)
    : m_host(run.interactive ? &run.host : nullptr)
{
    if (m_host)
        m_host->setWaitCursor(true);
}

WaitCursorScope::~WaitCursorScope()
{
    if (m_host)
        m_host->setWaitCursor(false);
}

void showProcessingProgress(Host& host, int percent)
{
    if (percent >= 100) {
        host.setStatus(StatusPane::Message, text(StringId::ProgressReady));
        return;
    }
    std::string line(text(StringId::ProgressProcessing));
    line += std::to_string(percent);
    line += '%';
    host.setStatus(StatusPane::Message, line);
}

FilterProgress::FilterProgress(const FilterRun& run, int rows, int firstPercent, int lastPercent, int every)
    : m_run(&run)
    , m_rows(rows > 0 ? rows : 1)
    , m_first(firstPercent)
    , m_last(lastPercent)
    , m_every(every)
{
}

bool FilterProgress::beforeRow(int row)
{
    if (!m_run->interactive)
        return true;
    if (m_run->host.escapePressed())
        return false;
    if (row % m_every == 0)
        showProcessingProgress(m_run->host, m_first + int(static_cast<long long>(row) * (m_last - m_first) / m_rows));
    return true;
}

void FilterProgress::finish()
{
    if (m_run->interactive)
        showProcessingProgress(m_run->host, 100);
}

} // namespace gp
