#include "print/PrintAbort.h"

#include "print/PrintingHost.h"

namespace gp {

bool PrintAbort::operator()(int error)
{
    if (error != 0)
        m_aborted = true;
    if (!m_aborted && m_host->processPrintingEvents())
        m_aborted = true;
    return !m_aborted;
}

} // namespace gp
