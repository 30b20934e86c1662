#pragma once
// The program's printer: the selection, the page geometry of the last open and the catalog of
// the system's printers. It opens device contexts for print jobs and runs Printer Setup.

#include "draw/PageGeometry.h"
#include "print/PrinterSelection.h"

#include <memory>

namespace gp {

class PrintingHost;

class PrinterState {
public:
    PrinterSelection& selection() { return m_selection; }
    const PrinterSelection& selection() const { return m_selection; }
    const PageGeometry& geometry() const { return m_geometry; }

    // The system's printers; without a catalog there is no printer and the fallback page holds.
    PrinterCatalog* catalog() const { return m_catalog; }
    void setCatalog(PrinterCatalog* catalog) { m_catalog = catalog; }

    // While the user's own templates are shown, layouts read the whole-inch page size.
    void setWholeInchPage(bool on) { m_wholeInchPage = on; }
    Size layoutPageSize() const { return m_geometry.layoutSize(m_wholeInchPage); }

    // Opens a device context for the selected printer (the default printer when none is
    // selected yet) with the job's copies and orientation, and measures the page geometry from
    // it. Nothing, and the fallback page, when there is no printer or no context can be made.
    std::unique_ptr<PrintDevice> openContext();

    // The system's printer dialog in setup mode; its choice replaces the selection. A stale
    // selection is dropped first so the dialog starts from the default printer. Ignored while
    // the dialog is already up. Returns whether a printer was chosen.
    bool printerSetup(PrintingHost& host);

private:
    PrinterSelection m_selection;
    PageGeometry m_geometry = fallbackPageGeometry();
    PrinterCatalog* m_catalog = nullptr;
    bool m_wholeInchPage = false;
    bool m_setupBusy = false;
};

} // namespace gp
