#include "shell/CopiesCounter.h"

#include <algorithm>

namespace gp {

bool CopiesCounter::increment()
{
    if (m_value >= 99)
        return false;
    ++m_value;
    return true;
}

bool CopiesCounter::decrement()
{
    if (m_value <= 1)
        return false;
    --m_value;
    return true;
}

void CopiesCounter::set(int value)
{
    m_value = std::clamp(value, 1, 99);
}

} // namespace gp
