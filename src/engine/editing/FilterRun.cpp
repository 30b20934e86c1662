#include "editing/FilterRun.h"

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

void showProcessingProgress(const FilterRun& run, int percent)
{
    if (run.status) {
        run.status->progress(percent, ProgressKind::Processing);
        return;
    }
    StatusLine(run.host).progress(percent, ProgressKind::Processing);
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
        showProcessingProgress(*m_run, m_first + int(static_cast<long long>(row) * (m_last - m_first) / m_rows));
    return true;
}

void FilterProgress::finish()
{
    if (m_run->interactive)
        showProcessingProgress(*m_run, 100);
}

} // namespace gp
