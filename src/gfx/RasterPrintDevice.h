#pragma once
// A printer whose page is an image: the printable area at the device's resolution, white at the
// start of every page. Without an output file each finished page is kept in memory, where tests
// read it by pixel. With one, each page is written as PNG (a second page goes to NAME-2.png and
// so on) and only a strip of the page is held: the band being drawn and a band height (at least an
// inch) under it, so what a band draws just below itself reaches the next one; rows go to the file once a
// later band begins below them. A page drawn without bands is held whole and written when it is finished. The files
// take their names when the document ends; an abandoned document leaves old files as they were.

#include "PainterPrintDevice.h"
#include "codecs/PngRowWriter.h"
#include "draw/PrinterCatalog.h"

#include <QImage>
#include <QString>
#include <memory>
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
    bool beginBand(QPainter& painter, const Rect& band) override;
    bool beginWholePage(QPainter& painter) override;

private:
    bool beginPage(QPainter& painter);
    // A white image of the page's width and `rows` rows at the device's resolution.
    QImage whiteStrip(int rows) const;
    // Puts the painter on strip, which holds the page's rows from `top` down, with its origin
    // at the page's top-left corner.
    bool paintOn(QPainter& painter, QImage strip, int top);
    // Writes the page's rows up to `end` that are not yet in the file: from the strip held
    // where it covers them, white elsewhere.
    void writeRowsUpTo(int end);

    QString m_output;
    QImage m_page; // the whole page, or with an output file the strip being drawn
    int m_stripTop = 0; // page row of the strip's first row
    bool m_stripDrawn = true; // false for the stand-in row a page starts with
    std::vector<QImage> m_pages;
    // With an output file: the page being written and the finished ones awaiting their names.
    std::unique_ptr<PngRowWriter> m_writer;
    std::vector<std::unique_ptr<PngRowWriter>> m_written;
    bool m_writeFailed = false;
};

} // namespace gp::gfx
