#include "QtPrinterCatalog.h"

#include "CupsPrintDevice.h"
#include "PdfPrintDevice.h"
#include "RasterPrintDevice.h"

#include <QPrinterInfo>

namespace gp::gfx {

namespace {

DeviceNames queueNames(const QPrinterInfo& info)
{
    const QString location = info.location();
    return { kCupsDriver, info.printerName().toStdString(), location.isEmpty() ? "CUPS" : location.toStdString() };
}

} // namespace

PrinterChoice filePrinter(const char* driver, const std::string& path)
{
    PrinterChoice choice;
    choice.names = { driver, std::string(driver) + " file", path };
    return choice;
}

std::optional<PrinterChoice> queuePrinter(const std::string& queue)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(queue));
    if (info.isNull())
        return std::nullopt;
    PrinterChoice choice;
    choice.names = queueNames(info);
    choice.mode.paperName = info.defaultPageSize().key().toStdString();
    return choice;
}

std::optional<PrinterChoice> QtPrinterCatalog::defaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return std::nullopt;
    return queuePrinter(info.printerName().toStdString());
}

std::vector<DeviceNames> QtPrinterCatalog::printers()
{
    std::vector<DeviceNames> list;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
        list.push_back(queueNames(info));
    list.push_back(filePrinter(kPdfDriver, {}).names);
    return list;
}

std::unique_ptr<PrintDevice> QtPrinterCatalog::createDevice(const PrinterChoice& choice)
{
    const std::string& driver = choice.names.driver;
    const QString file = QString::fromStdString(choice.names.port);
    if (driver == kCupsDriver)
        return CupsPrintDevice::open(choice.names.device, choice.mode);
    if (driver == kPdfDriver && !file.isEmpty())
        return std::make_unique<PdfPrintDevice>(PdfPrintDevice::pageFor(choice.mode), file);
    if (driver == kPngDriver && !file.isEmpty())
        return std::make_unique<RasterPrintDevice>(PdfPrintDevice::pageFor(choice.mode), file);
    return nullptr;
}

} // namespace gp::gfx
