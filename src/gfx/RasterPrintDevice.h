#pragma once
// A printer whose page is an image in memory: the printable area at the device's resolution,
// white at the start of every page. Each finished page is kept and, when an output file is
// given, written as PNG at the end of the document (a second page goes to NAME-2.png and so on).
// Tests read the pages by pixel; the command-line tool writes them.

#include "PainterPrintDevice.h"
#include "draw/PrinterCatalog.h"

#include <QImage>
#include <QString>
#include <vector>

namespace gp::gfx {

class RasterPrintDevice final : public PainterPrintDevice {
public:
    // A page with the given geometry; output may be empty (pages stay in memory only).
    RasterPrintDevice(const PageSpec& page, QString output = {});
    ~RasterPrintDevice() override;

    const std::vector<QImage>& pages() const { return m_pages; }
    // The file a page goes to.
    QString pageFile(int index) const;

protected:
    bool beginOutput(QPainter& painter, std::string_view documentName) override;
    bool nextOutputPage(QPainter& painter) override;
    void pageFinished(QPainter& painter) override;
    bool finishOutput(QPainter& painter) override;
    void discardOutput(QPainter& painter) override;

private:
    bool beginPage(QPainter& painter);

    QString m_output;
    QImage m_page;
    std::vector<QImage> m_pages;
};

} // namespace gp::gfx
