#pragma once
// Formats a number with n decimals and the user's decimal separator (win.ini, [intl] sDecimal,
// default "."): rounds half up, then writes the integer part, the separator and the digits.

#include <string>
#include <string_view>

namespace gp {

std::string formatDecimal(double value, int decimals, std::string_view separator);

} // namespace gp
