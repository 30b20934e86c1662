#include "editing/transform/RotateDialogModel.h"

#include <charconv>

namespace gp {

std::optional<long long> parseDialogInteger(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

int RotateDialogModel::normalise(long long degrees)
{
    if (degrees >= 0)
        return int(degrees % 360);
    // Reduce first so the subtraction cannot overflow; the mapping repeats every 360 degrees.
    const long long reduced = degrees % 360;
    return int(359 - ((359 - reduced) % 360));
}

std::optional<int> RotateDialogModel::accept(std::string_view fieldText)
{
    const auto value = parseDialogInteger(fieldText);
    if (!value)
        return std::nullopt;
    m_accepted = normalise(*value);
    return m_accepted;
}

} // namespace gp
