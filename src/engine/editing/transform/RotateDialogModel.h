#pragma once
// The arithmetic of the Rotate dialog: the "Degree:" field starts at the last angle entered; OK
// reads it as a signed integer (a non-number is refused: the dialog beeps and stays open) and
// brings it into 0..359. The angle is counter-clockwise as the user types it; the command turns
// by 360 minus it clockwise, and 0 turns nothing.

#include <optional>
#include <string_view>

namespace gp {

class RotateDialogModel {
public:
    explicit RotateDialogModel(int lastAngle)
        : m_initial(lastAngle)
        , m_accepted(0)
    {
    }

    int initialAngle() const { return m_initial; }

    // OK with the field's text: the normalised angle, or nothing when it is not a number.
    std::optional<int> accept(std::string_view fieldText);
    // The angle OK accepted (0 until then).
    int acceptedAngle() const { return m_accepted; }

    // Brings any angle into 0..359.
    static int normalise(long long degrees);

private:
    int m_initial;
    int m_accepted;
};

// Reads a dialog field as a signed decimal integer (surrounding blanks allowed); nothing for
// anything else.
std::optional<long long> parseDialogInteger(std::string_view text);

} // namespace gp
