#include "print/PrinterState.h"

#include "print/PrintingHost.h"

namespace gp {

std::unique_ptr<PrintDevice> PrinterState::openContext()
{
    if (!m_selection.choice() && m_catalog)
        m_selection.setChoice(m_catalog->defaultPrinter());
    if (!m_selection.choice() || !m_catalog) {
        m_geometry = fallbackPageGeometry();
        return nullptr;
    }
    m_selection.applyJobSettings();
    auto device = m_catalog->createDevice(*m_selection.choice());
    m_geometry = device ? measurePageGeometry(*device) : fallbackPageGeometry();
    return device;
}

bool PrinterState::printerSetup(PrintingHost& host)
{
    if (m_setupBusy)
        return false;
    m_setupBusy = true;
    m_selection.dropIfStale();
    std::optional<PrinterChoice> start = m_selection.choice();
    if (!start && m_catalog)
        start = m_catalog->defaultPrinter();
    const std::vector<DeviceNames> printers = m_catalog ? m_catalog->printers() : std::vector<DeviceNames> {};
    std::optional<PrinterChoice> chosen = host.choosePrinter(start, printers);
    m_setupBusy = false;
    if (!chosen)
        return false;
    m_selection.setChoice(std::move(chosen));
    return true;
}

} // namespace gp
