#pragma once
// What a print job asks of the program: the messages and progress every subsystem has (Host),
// plus the system's printer dialog and the modeless "Printing" window with its Cancel button.

#include "draw/PrinterCatalog.h"
#include "shell/Host.h"

#include <optional>
#include <string_view>
#include <vector>

namespace gp {

class PrintingHost : public Host {
public:
    // The system's printer dialog in setup mode, starting from current and offering printers;
    // nothing when the user cancels.
    virtual std::optional<PrinterChoice> choosePrinter(const std::optional<PrinterChoice>& /*current*/,
                                                       const std::vector<DeviceNames>& /*printers*/)
    {
        return std::nullopt;
    }
    // The Printing window of a print job: shown with its first progress text, updated as bands are
    // drawn, closed at the end of the job.
    virtual void showPrintingWindow(std::string_view /*progress*/) {}
    virtual void setPrintingProgress(std::string_view /*progress*/) {}
    virtual void closePrintingWindow() {}
    // Processes the input waiting while a job runs; true when the Printing window received a
    // command (its Cancel button) since it was shown.
    virtual bool processPrintingEvents() { return false; }
};

} // namespace gp
