#pragma once
// The system's printers for the program: the CUPS queues (the default queue is the default
// printer) and printing to a file, a PDF document or a PNG page. Driver names: "CUPS" with the
// queue as device; "PDF" and "PNG" with the file as port.

#include "draw/PrinterCatalog.h"

#include <QPageSize>

namespace gp::gfx {

inline constexpr const char* kCupsDriver = "CUPS";
inline constexpr const char* kPdfDriver = "PDF";
inline constexpr const char* kPngDriver = "PNG";

class QtPrinterCatalog final : public PrinterCatalog {
public:
    std::optional<PrinterChoice> defaultPrinter() override;
    // The queues, then the PDF file printer (its file is chosen in the dialog).
    std::vector<DeviceNames> printers() override;
    std::unique_ptr<PrintDevice> createDevice(const PrinterChoice& choice) override;
};

// A file printer's choice: the driver (kPdfDriver or kPngDriver) writing to path.
PrinterChoice filePrinter(const char* driver, const std::string& path);
// The page of a file printer for a device mode: its exact page, or its paper (the locale's when
// it names none) at its resolution (600 dpi when none) in its orientation, all of it printable.
PageSpec filePrinterPage(const DeviceMode& mode);
// The locale's paper: Letter where the locale measures in inches, A4 elsewhere.
QPageSize localePaper();

// A queue's choice with the queue's own settings; nothing when the queue does not exist.
std::optional<PrinterChoice> queuePrinter(const std::string& queue);

} // namespace gp::gfx
