#include "shell/FormatDecimal.h"

#include <cstdio>

namespace gp {

std::string formatDecimal(double value, int decimals, std::string_view separator)
{
    long m = 1;
    for (int i = 0; i < decimals; ++i)
        m *= 10;
    const long a = static_cast<long>(value * double(m) + 0.5);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%ld", a / m);
    std::string result = buffer;
    result += separator.substr(0, 1);
    long rest = a % m;
    for (long digit = m / 10; digit > 0; digit /= 10) {
        std::snprintf(buffer, sizeof buffer, "%d", int(rest / digit));
        result += buffer;
        rest %= digit;
    }
    return result;
}

} // namespace gp
