#include "PainterPrintDevice.h"

#include <algorithm>

namespace gp::gfx {

namespace {

constexpr int kFailed = -1;
constexpr int kDefaultFontPoints = 12;

} // namespace

PainterPrintDevice::PainterPrintDevice(Size printable, int dpiX, int dpiY, Size paper, Point offset)
    : m_printable(printable)
    , m_dpiX(dpiX)
    , m_dpiY(dpiY)
    , m_paper(paper)
    , m_offset(offset)
    , m_bandHeight(std::max(1, dpiY))
{
    m_context.setSamplesToDevicePixels(true);
}

PainterPrintDevice::~PainterPrintDevice()
{
    // The subclass's target is gone by now; a job left open was already dropped by the subclass
    // destructor through abortDocument().
    if (m_painter.isActive())
        m_painter.end();
}

QtDrawingContext* PainterPrintDevice::drawingPage()
{
    if (m_state == State::PageDone && startPage() <= 0)
        return nullptr;
    if (m_state != State::InPage)
        return nullptr;
    if (!m_banded && !m_wholePage) {
        m_wholePage = true;
        if (!beginWholePage(m_painter) || !m_painter.isActive())
            return nullptr;
        preparePage();
    }
    return &m_context;
}

bool PainterPrintDevice::stretchImage(const Image& image, const SourceArea& source, const Rect& target)
{
    QtDrawingContext* page = drawingPage();
    return page && page->stretchImage(image, source, target);
}

void PainterPrintDevice::fillRect(const Rect& rect, Color color)
{
    if (QtDrawingContext* page = drawingPage())
        page->fillRect(rect, color);
}

void PainterPrintDevice::frameRect(const Rect& rect, const Pen& pen)
{
    if (QtDrawingContext* page = drawingPage())
        page->frameRect(rect, pen);
}

void PainterPrintDevice::drawLine(Point from, Point to, const Pen& pen)
{
    if (QtDrawingContext* page = drawingPage())
        page->drawLine(from, to, pen);
}

void PainterPrintDevice::drawText(
    Point at, std::string_view text, const FontSpec& font, TextAlign align, Color color, bool transparent)
{
    if (QtDrawingContext* page = drawingPage())
        page->drawText(at, text, font, align, color, transparent);
}

Size PainterPrintDevice::measureText(std::string_view text, const FontSpec& font)
{
    if (m_painter.isActive())
        return m_context.measureText(text, font);
    // Before the document starts, measure against a scratch image of the device's resolution.
    QImage scratch(1, 1, QImage::Format_RGB32);
    scratch.setDotsPerMeterX(qRound(m_dpiX / 0.0254));
    scratch.setDotsPerMeterY(qRound(m_dpiY / 0.0254));
    QPainter painter(&scratch);
    QFont current = painter.font();
    current.setPointSize(kDefaultFontPoints);
    painter.setFont(current);
    return QtDrawingContext(painter).measureText(text, font);
}

void PainterPrintDevice::setClip(const std::optional<Rect>& clip)
{
    if (QtDrawingContext* page = drawingPage())
        page->setClip(clip);
}

void PainterPrintDevice::preparePage()
{
    // Pictures reach the page as they are: no smoothing between colours and no lossy
    // re-encoding on the way to a PDF.
    m_painter.setRenderHint(QPainter::LosslessImageRendering, true);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // The device's current font: 12 points at the device's resolution.
    QFont font = m_painter.font();
    font.setPointSize(kDefaultFontPoints);
    m_painter.setFont(font);
}

int PainterPrintDevice::setAbortProcedure(AbortProcedure procedure)
{
    m_abort = std::move(procedure);
    return 1;
}

int PainterPrintDevice::startDocument(std::string_view name)
{
    if (m_state != State::Idle)
        return kFailed;
    if (!beginOutput(m_painter, name) || !m_painter.isActive())
        return kFailed;
    preparePage();
    m_state = State::InPage;
    m_bandTop = 0;
    m_banded = m_wholePage = false;
    return 1;
}

int PainterPrintDevice::startPage()
{
    if (m_state == State::InPage)
        return 1;
    if (m_state != State::PageDone)
        return kFailed;
    if (!nextOutputPage(m_painter) || !m_painter.isActive())
        return kFailed;
    preparePage();
    m_state = State::InPage;
    m_bandTop = 0;
    m_banded = m_wholePage = false;
    return 1;
}

bool PainterPrintDevice::mayContinue()
{
    if (!m_abort || m_abort(0))
        return true;
    abortDocument();
    return false;
}

void PainterPrintDevice::finishPage()
{
    pageFinished(m_painter);
    m_state = State::PageDone;
    m_bandTop = 0;
}

int PainterPrintDevice::nextBand(Rect& band)
{
    band = {};
    if (m_state == State::PageDone && startPage() <= 0)
        return kFailed;
    if (m_state != State::InPage)
        return kFailed;
    if (!mayContinue())
        return kJobAborted;
    if (m_bandTop >= m_printable.height) {
        finishPage();
        return 1;
    }
    const int height = m_bandHeight > 0 ? m_bandHeight : m_printable.height;
    band = { 0, m_bandTop, m_printable.width, std::min(m_printable.height, m_bandTop + height) };
    m_bandTop = band.bottom;
    // Once drawing has begun on the whole page, later bands are drawn on it too.
    if (!m_wholePage) {
        m_banded = true;
        if (!beginBand(m_painter, band) || !m_painter.isActive())
            return kFailed;
        preparePage();
    }
    return 1;
}

int PainterPrintDevice::bandInfo(BandInfo&)
{
    // Every band takes graphics and text over the area asked for.
    return m_state == State::InPage ? 1 : kFailed;
}

int PainterPrintDevice::endPage()
{
    if (m_state != State::InPage)
        return kFailed;
    if (!mayContinue())
        return kJobAborted;
    finishPage();
    return 1;
}

int PainterPrintDevice::endDocument()
{
    if (m_state != State::InPage && m_state != State::PageDone)
        return kFailed;
    if (m_state == State::InPage)
        finishPage();
    m_state = State::Closed;
    return finishOutput(m_painter) ? 1 : kFailed;
}

void PainterPrintDevice::abortDocument()
{
    if (m_state == State::InPage || m_state == State::PageDone)
        discardOutput(m_painter);
    m_state = State::Closed;
}

} // namespace gp::gfx
