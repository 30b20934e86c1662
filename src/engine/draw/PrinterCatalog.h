#pragma once
// The printers the system offers: the default one, the list to choose from, and the device
// context for a chosen printer with its settings.

#include "draw/PrintDevice.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace gp {

enum class Orientation { Portrait = 1, Landscape = 2 };

// Which printer: its driver kind ("CUPS" for a queue, "PDF" or "PNG" for a file), its name
// (the queue, or a description of the file) and its port (where the output goes: the queue's
// location, or the file's path).
struct DeviceNames {
    std::string driver;
    std::string device;
    std::string port;
    friend bool operator==(const DeviceNames&, const DeviceNames&) = default;
};

// The page a file printer makes when it is told one: printable size, resolution, paper size and
// printing offset, all in device pixels.
struct PageSpec {
    Size printable;
    int resolutionX = 600;
    int resolutionY = 600;
    Size paper;
    Point offset;
    friend bool operator==(const PageSpec&, const PageSpec&) = default;
};

// The printer's settings for a job.
struct DeviceMode {
    int copies = 1;
    Orientation orientation = Orientation::Portrait;
    std::string paperName; // "Letter", "A4", ...; empty for the printer's own default
    int resolution = 0; // dots per inch; 0 for the printer's own default
    std::optional<PageSpec> page; // file printers only: an exact page instead of paper and resolution
    // A queue's own options for the job by the driver's names ("InputSlot" = "Tray2",
    // "MediaType" = "Glossy", ...); empty for the queue's defaults.
    std::map<std::string, std::string> options;
    friend bool operator==(const DeviceMode&, const DeviceMode&) = default;
};

struct PrinterChoice {
    DeviceNames names;
    DeviceMode mode;
    friend bool operator==(const PrinterChoice&, const PrinterChoice&) = default;
};

class PrinterCatalog {
public:
    virtual ~PrinterCatalog() = default;

    // The system's default printer with its own settings; nothing when there is none.
    virtual std::optional<PrinterChoice> defaultPrinter() = 0;
    // Every printer the user can choose, the default one among them.
    virtual std::vector<DeviceNames> printers() = 0;
    // A device context for the printer; nothing when it cannot be made.
    virtual std::unique_ptr<PrintDevice> createDevice(const PrinterChoice& choice) = 0;
};

} // namespace gp
