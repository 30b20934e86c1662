#pragma once
// The system's printers for the program: the CUPS queues (the default queue is the default
// printer) and printing to a file, a PDF document or a PNG page. Driver names: "CUPS" with the
// queue as device; "PDF" and "PNG" with the file as port.

#include "draw/PrinterCatalog.h"

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
// A queue's choice with the queue's own settings; nothing when the queue does not exist.
std::optional<PrinterChoice> queuePrinter(const std::string& queue);

} // namespace gp::gfx
