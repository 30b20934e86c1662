#include "PdfPrintDevice.h"

#include <QFile>
#include <QLocale>
#include <QPageLayout>

namespace gp::gfx {

namespace {

constexpr int kDefaultResolution = 600;

} // namespace

QPageSize localePaper()
{
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize(QPageSize::Letter)
                                                                              : QPageSize(QPageSize::A4);
}

PageSpec PdfPrintDevice::pageFor(const DeviceMode& mode)
{
    if (mode.page)
        return *mode.page;
    QPageSize paper = localePaper();
    if (!mode.paperName.empty()) {
        for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
            const QPageSize candidate(static_cast<QPageSize::PageSizeId>(id));
            if (candidate.key() == QString::fromStdString(mode.paperName)) {
                paper = candidate;
                break;
            }
        }
    }
    const int dpi = mode.resolution > 0 ? mode.resolution : kDefaultResolution;
    QSize size = paper.sizePixels(dpi);
    if (mode.orientation == Orientation::Landscape)
        size.transpose();
    PageSpec page;
    page.printable = { size.width(), size.height() };
    page.paper = page.printable;
    page.resolutionX = page.resolutionY = dpi;
    return page;
}

PdfPrintDevice::PdfPrintDevice(const PageSpec& page, QString output)
    : PainterPrintDevice(page.printable, page.resolutionX, page.resolutionY, page.paper, page.offset)
    , m_output(std::move(output))
{
}

PdfPrintDevice::~PdfPrintDevice()
{
    abortDocument();
}

bool PdfPrintDevice::beginOutput(QPainter& painter, std::string_view documentName)
{
    if (m_output.isEmpty())
        return false;
    m_writer = std::make_unique<QPdfWriter>(m_output);
    m_writer->setTitle(QString::fromUtf8(documentName.data(), qsizetype(documentName.size())));
    m_writer->setCreator(QStringLiteral("Glimmerpress"));
    // Page sizes are kept upright; a sheet wider than high is an upright one turned.
    const Size paper = paperSize();
    QSizeF inches(double(paper.width) / resolutionX(), double(paper.height) / resolutionY());
    const bool wide = inches.width() > inches.height();
    if (wide)
        inches.transpose();
    m_writer->setPageLayout(QPageLayout(QPageSize(inches, QPageSize::Inch, QString(), QPageSize::ExactMatch),
        wide ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(), QPageLayout::Inch));
    m_writer->setResolution(resolutionX());
    if (!painter.begin(m_writer.get()))
        return false;
    // One unit per device pixel of the printable area, whose vertical resolution may differ.
    painter.scale(1.0, double(resolutionX()) / resolutionY());
    painter.translate(printingOffset().x, printingOffset().y);
    return true;
}

bool PdfPrintDevice::nextOutputPage(QPainter&)
{
    return m_writer && m_writer->newPage();
}

bool PdfPrintDevice::finishOutput(QPainter& painter)
{
    const bool ended = painter.end();
    m_writer.reset();
    return ended && QFile::exists(m_output);
}

void PdfPrintDevice::discardOutput(QPainter& painter)
{
    if (painter.isActive())
        painter.end();
    m_writer.reset();
    QFile::remove(m_output);
}

} // namespace gp::gfx
