#include "CupsPrintDevice.h"

#include <QPageLayout>
#include <QPrintEngine>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>

#include <cstdlib>

namespace gp::gfx {

namespace {

constexpr int kPreferredResolution = 600;
constexpr int kOptionsTimeoutMs = 5000;
// Qt's CUPS print engine sends the name/value pairs stored under this property with the job:
// the key its own print dialog uses for a queue's driver options.
constexpr auto kCupsJobOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// The default choice of the queue's "Resolution" option as lpoptions lists it
// ("Resolution/Output Resolution: 150dpi *300dpi 600dpi"); 0 when it names none.
int markedResolution(const QString& queue)
{
    QProcess lpoptions;
    lpoptions.start(QStringLiteral("lpoptions"), { QStringLiteral("-p"), queue, QStringLiteral("-l") });
    if (!lpoptions.waitForFinished(kOptionsTimeoutMs) || lpoptions.exitCode() != 0)
        return 0;
    static const QRegularExpression marked(QStringLiteral(R"(\*(\d+)(?:x\d+)?dpi\b)"));
    for (const QByteArray& line : lpoptions.readAllStandardOutput().split('\n')) {
        if (!line.startsWith("Resolution/"))
            continue;
        const auto match = marked.match(QString::fromLatin1(line));
        if (match.hasMatch())
            return match.captured(1).toInt();
    }
    return 0;
}

QPageSize queuePaper(const QPrinterInfo& info, const std::string& name)
{
    if (!name.empty()) {
        for (const QPageSize& size : info.supportedPageSizes()) {
            if (size.key() == QString::fromStdString(name) || size.name() == QString::fromStdString(name))
                return size;
        }
    }
    return info.defaultPageSize();
}

} // namespace

int queueDefaultResolution(const QString& queue)
{
    if (const int marked = markedResolution(queue); marked > 0)
        return marked;
    const QList<int> supported = QPrinterInfo::printerInfo(queue).supportedResolutions();
    if (supported.isEmpty())
        return kPreferredResolution;
    int best = supported.front();
    for (int r : supported) {
        if (std::abs(r - kPreferredResolution) < std::abs(best - kPreferredResolution))
            best = r;
    }
    return best;
}

std::unique_ptr<CupsPrintDevice> CupsPrintDevice::open(const std::string& queue, const DeviceMode& mode)
{
    const QString name = QString::fromStdString(queue);
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::NativeFormat);
    const int dpi = mode.resolution > 0 ? mode.resolution : queueDefaultResolution(name);
    printer->setResolution(dpi);
    printer->setCopyCount(std::max(1, mode.copies));
    printer->setFullPage(false);
    if (!mode.options.empty()) {
        QStringList options;
        for (const auto& [option, value] : mode.options)
            options << QString::fromStdString(option) << QString::fromStdString(value);
        printer->printEngine()->setProperty(kCupsJobOptions, options);
    }
    QPageLayout layout = printer->pageLayout();
    layout.setPageSize(queuePaper(info, mode.paperName));
    layout.setOrientation(mode.orientation == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    layout.setMargins(layout.minimumMargins());
    if (!printer->setPageLayout(layout))
        return nullptr;
    const QRect paint = printer->pageLayout().paintRectPixels(printer->resolution());
    const QRect full = printer->pageLayout().fullRectPixels(printer->resolution());
    PageSpec page;
    page.printable = { paint.width(), paint.height() };
    page.resolutionX = page.resolutionY = printer->resolution();
    page.paper = { full.width(), full.height() };
    page.offset = { paint.left(), paint.top() };
    return std::unique_ptr<CupsPrintDevice>(new CupsPrintDevice(std::move(printer), page));
}

CupsPrintDevice::CupsPrintDevice(std::unique_ptr<QPrinter> printer, const PageSpec& page)
    : PainterPrintDevice(page.printable, page.resolutionX, page.resolutionY, page.paper, page.offset)
    , m_printer(std::move(printer))
{
}

CupsPrintDevice::~CupsPrintDevice()
{
    abortDocument();
}

bool CupsPrintDevice::beginOutput(QPainter& painter, std::string_view documentName)
{
    m_printer->setDocName(QString::fromUtf8(documentName.data(), qsizetype(documentName.size())));
    return painter.begin(m_printer.get());
}

bool CupsPrintDevice::nextOutputPage(QPainter&)
{
    return m_printer->newPage();
}

bool CupsPrintDevice::finishOutput(QPainter& painter)
{
    return painter.end() && m_printer->printerState() != QPrinter::Error;
}

void CupsPrintDevice::discardOutput(QPainter& painter)
{
    if (painter.isActive()) {
        m_printer->abort();
        painter.end();
    }
}

} // namespace gp::gfx
