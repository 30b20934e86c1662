#include "RasterPrintDevice.h"

#include <QFileInfo>

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

bool RasterPrintDevice::beginPage(QPainter& painter)
{
    const Size size = printableSize();
    m_page = QImage(size.width, size.height, QImage::Format_RGB888);
    if (m_page.isNull())
        return false;
    m_page.fill(Qt::white);
    // The resolution makes point sizes of fonts come out at the printer's scale.
    m_page.setDotsPerMeterX(qRound(resolutionX() / 0.0254));
    m_page.setDotsPerMeterY(qRound(resolutionY() / 0.0254));
    return painter.begin(&m_page);
}

bool RasterPrintDevice::beginOutput(QPainter& painter, std::string_view)
{
    m_pages.clear();
    return beginPage(painter);
}

bool RasterPrintDevice::nextOutputPage(QPainter& painter)
{
    return beginPage(painter);
}

void RasterPrintDevice::pageFinished(QPainter& painter)
{
    painter.end();
    m_pages.push_back(m_page);
    m_page = QImage();
}

bool RasterPrintDevice::finishOutput(QPainter&)
{
    if (m_output.isEmpty())
        return true;
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (!m_pages[i].save(pageFile(static_cast<int>(i)), "PNG"))
            return false;
    }
    return true;
}

void RasterPrintDevice::discardOutput(QPainter& painter)
{
    if (painter.isActive())
        painter.end();
    m_page = QImage();
}

} // namespace gp::gfx
