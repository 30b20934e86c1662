#include "base/EarlyWriteback.h"

#include <fcntl.h>

namespace gp {

void EarlyWriteback::written(std::uint64_t end)
{
    if (!due(end))
        return;
    // Asks the kernel to begin writing these pages without waiting for them.
    (void)::sync_file_range(m_fd, off64_t(m_started), off64_t(end - m_started), SYNC_FILE_RANGE_WRITE);
    m_started = end;
}

} // namespace gp
