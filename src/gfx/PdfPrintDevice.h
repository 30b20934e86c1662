#pragma once
// A printer that writes a PDF file: the whole sheet, with the printable area at the printing
// offset. Any paper size and resolution; by default 600 dpi on the locale's paper (Letter where
// the locale measures in inches, A4 elsewhere) with the whole sheet printable. Pictures are
// embedded losslessly.

#include "PainterPrintDevice.h"
#include "draw/PrinterCatalog.h"

#include <QPdfWriter>
#include <QString>
#include <memory>

namespace gp::gfx {

class PdfPrintDevice final : public PainterPrintDevice {
public:
    PdfPrintDevice(const PageSpec& page, QString output);
    ~PdfPrintDevice() override;

    // The page of a PDF printer for a device mode: its exact page, or its paper (the locale's
    // when it names none) at its resolution (600 dpi when none) in its orientation.
    static PageSpec pageFor(const DeviceMode& mode);

protected:
    bool beginOutput(QPainter& painter, std::string_view documentName) override;
    bool nextOutputPage(QPainter& painter) override;
    bool finishOutput(QPainter& painter) override;
    void discardOutput(QPainter& painter) override;

private:
    QString m_output;
    std::unique_ptr<QPdfWriter> m_writer;
};

// The locale's paper, as a printer with no paper of its own uses it.
QPageSize localePaper();

} // namespace gp::gfx
