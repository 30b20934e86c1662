#include "album/AlbumProgress.h"

#include "shell/ProgressPort.h"

namespace gp {

AlbumProgress::AlbumProgress(ProgressPort& host, StatusLine* status, ProgressKind kind)
    : m_host(&host), m_status(status), m_kind(kind)
{
    if (!m_status)
        m_status = &m_ownStatus.emplace(host);
}

void AlbumProgress::report(std::size_t done, std::size_t total)
{
    m_status->progress(total == 0 ? 100 : int(std::uint64_t(done) * 100 / total), m_kind);
}

bool AlbumProgress::abortRequested() { return m_host->escapePressed(); }

} // namespace gp
