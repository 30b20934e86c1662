#pragma once
// The user's printer for this run: which printer and its settings (none until first needed),
// the copies written into every job, the orientation override of the single-photo page with the
// printer's own orientation saved while it is in force, and the stale flag that a system
// settings change raises so the next Printer Setup starts from the default printer.

#include "draw/PrinterCatalog.h"

#include <optional>
#include <string_view>

namespace gp {

enum class OrientationOverride { None = 0, Portrait = 1, Landscape = 2 };

class PrinterSelection {
public:
    const std::optional<PrinterChoice>& choice() const { return m_choice; }
    void setChoice(std::optional<PrinterChoice> choice) { m_choice = std::move(choice); }

    int copies() const { return m_copies; }
    // Copies are kept within 1..99.
    void setCopies(int copies);

    OrientationOverride orientationOverride() const { return m_override; }
    void setOrientationOverride(OrientationOverride value) { m_override = value; }

    bool isStale() const { return m_stale; }
    // A system settings change: anything but the "devices" section (or no section at all)
    // makes the selection stale and counts as handled; a "devices" change is left to the caller.
    bool settingsChanged(std::optional<std::string_view> section);
    // Drops a stale selection so the next choice starts from the default printer.
    void dropIfStale();

    // Writes the copies and the orientation into the held settings as an open of the printer
    // does: an override saves the printer's own orientation once and replaces it, an open
    // without override puts the saved one back.
    void applyJobSettings();

private:
    std::optional<PrinterChoice> m_choice;
    int m_copies = 1;
    OrientationOverride m_override = OrientationOverride::None;
    std::optional<Orientation> m_savedOrientation;
    bool m_stale = false;
};

} // namespace gp
