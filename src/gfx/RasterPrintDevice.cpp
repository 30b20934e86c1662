#include "RasterPrintDevice.h"

#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace gp::gfx {

RasterPrintDevice::RasterPrintDevice(const PageSpec& page, QString output)
    : PainterPrintDevice(page.printable, page.resolutionX, page.resolutionY, page.paper, page.offset)
    , m_output(std::move(output))
{
}

RasterPrintDevice::~RasterPrintDevice()
{
    abortDocument();
}

QString RasterPrintDevice::pageFile(int index) const
{
    if (index == 0)
        return m_output;
    const QFileInfo info(m_output);
    return info.path() + '/' + info.completeBaseName() + '-' + QString::number(index + 1) + '.' + info.suffix();
}

QImage RasterPrintDevice::whiteStrip(int rows) const
{
    QImage strip(printableSize().width, rows, QImage::Format_RGB888);
    if (strip.isNull())
        return strip;
    strip.fill(Qt::white);
    // The resolution makes point sizes of fonts come out at the printer's scale.
    strip.setDotsPerMeterX(qRound(resolutionX() / 0.0254));
    strip.setDotsPerMeterY(qRound(resolutionY() / 0.0254));
    return strip;
}

bool RasterPrintDevice::paintOn(QPainter& painter, QImage strip, int top)
{
    if (painter.isActive())
        painter.end();
    m_page = std::move(strip);
    m_stripTop = top;
    m_stripDrawn = true;
    if (m_page.isNull() || !painter.begin(&m_page))
        return false;
    painter.translate(0, -top);
    return true;
}

bool RasterPrintDevice::beginPage(QPainter& painter)
{
    const Size size = printableSize();
    if (m_output.isEmpty())
        return paintOn(painter, whiteStrip(size.height), 0);
    // The page's rows go to its file as they are drawn; until the first band (or a drawing on
    // the page without bands) the painter holds a stand-in row that is never written.
    m_writer = std::make_unique<PngRowWriter>(pageFile(int(m_written.size())).toStdString(), size.width, size.height,
        qRound(resolutionX() / 0.0254), qRound(resolutionY() / 0.0254));
    const bool painting = paintOn(painter, whiteStrip(1), 0);
    m_stripDrawn = false;
    return painting;
}

void RasterPrintDevice::writeRowsUpTo(int end)
{
    const int stripEnd = m_stripDrawn ? m_stripTop + m_page.height() : m_stripTop;
    std::vector<std::uint8_t> white;
    while (m_writer->ok() && m_writer->rowsWritten() < end) {
        const int y = m_writer->rowsWritten();
        if (y >= m_stripTop && y < stripEnd) {
            m_writer->writeRow(m_page.constScanLine(y - m_stripTop));
            continue;
        }
        white.resize(std::size_t(printableSize().width) * 3, 0xFF);
        m_writer->writeRow(white.data());
    }
}

bool RasterPrintDevice::beginBand(QPainter& painter, const Rect& band)
{
    if (!m_writer)
        return true; // the whole page is held
    painter.end();
    // The strip reaches a band height, and at least an inch, below its band: what a band draws
    // just under itself (the description under a picture) is carried into the next strip
    // instead of lost.
    const int below = std::max(band.height(), resolutionY());
    const int bottom = std::min(printableSize().height, band.bottom + below);
    QImage strip = whiteStrip(bottom - band.top);
    if (strip.isNull())
        return false;
    if (m_stripDrawn) {
        const int from = std::max(band.top, m_stripTop);
        const int to = std::min(bottom, m_stripTop + m_page.height());
        for (int y = from; y < to; ++y)
            std::memcpy(strip.scanLine(y - band.top), m_page.constScanLine(y - m_stripTop), std::size_t(strip.bytesPerLine()));
    }
    // Rows above the band are final.
    writeRowsUpTo(band.top);
    return paintOn(painter, std::move(strip), band.top);
}

bool RasterPrintDevice::beginWholePage(QPainter& painter)
{
    if (!m_writer)
        return true;
    return paintOn(painter, whiteStrip(printableSize().height), 0);
}

bool RasterPrintDevice::beginOutput(QPainter& painter, std::string_view)
{
    m_pages.clear();
    m_written.clear();
    m_writeFailed = false;
    return beginPage(painter);
}

bool RasterPrintDevice::nextOutputPage(QPainter& painter)
{
    return beginPage(painter);
}

void RasterPrintDevice::pageFinished(QPainter& painter)
{
    painter.end();
    if (!m_writer) {
        m_pages.push_back(m_page);
        m_page = QImage();
        return;
    }
    writeRowsUpTo(printableSize().height);
    m_page = QImage();
    m_writeFailed = m_writeFailed || !m_writer->ok();
    m_written.push_back(std::move(m_writer));
}

bool RasterPrintDevice::finishOutput(QPainter&)
{
    if (m_output.isEmpty())
        return true;
    bool written = !m_writeFailed;
    for (auto& page : m_written)
        written = page->finish() && written;
    m_written.clear();
    return written;
}

void RasterPrintDevice::discardOutput(QPainter& painter)
{
    if (painter.isActive())
        painter.end();
    m_page = QImage();
    // The writers remove their unfinished files.
    m_writer.reset();
    m_written.clear();
}

} // namespace gp::gfx
