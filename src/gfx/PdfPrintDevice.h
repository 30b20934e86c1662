#pragma once
// A printer that writes a PDF file: the whole sheet, with the printable area at the printing
// offset, at any paper size and resolution. Pictures are embedded losslessly.

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

protected:
    bool beginOutput(QPainter& painter, std::string_view documentName) override;
    bool nextOutputPage(QPainter& painter) override;
    bool finishOutput(QPainter& painter) override;
    void discardOutput(QPainter& painter) override;

private:
    QString m_output;
    std::unique_ptr<QPdfWriter> m_writer;
};

} // namespace gp::gfx
