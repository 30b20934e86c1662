#pragma once
// A printer that is a CUPS queue, printed through QPrinter. The queue's own default paper and
// resolution are used unless the device mode names others, and the printable area is the
// paper less the driver's minimum margins, so the printing offset is where the driver can
// really start to print. The mode's queue options go with the job to the queue's driver.

#include "PainterPrintDevice.h"
#include "draw/PrinterCatalog.h"

#include <QPrinter>
#include <memory>

namespace gp::gfx {

class CupsPrintDevice final : public PainterPrintDevice {
public:
    // The device for a queue; nothing when the queue does not exist.
    static std::unique_ptr<CupsPrintDevice> open(const std::string& queue, const DeviceMode& mode);
    ~CupsPrintDevice() override;

protected:
    bool beginOutput(QPainter& painter, std::string_view documentName) override;
    bool nextOutputPage(QPainter& painter) override;
    bool finishOutput(QPainter& painter) override;
    void discardOutput(QPainter& painter) override;

private:
    CupsPrintDevice(std::unique_ptr<QPrinter> printer, const PageSpec& page);

    std::unique_ptr<QPrinter> m_printer;
};

// The resolution a queue prints at by default: the one its driver marks as default, else the
// supported one nearest to 600 dpi, else 600.
int queueDefaultResolution(const QString& queue);

} // namespace gp::gfx
