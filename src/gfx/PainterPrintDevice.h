#pragma once
// What the Qt print devices share: drawing through a QPainter in device pixels of the printable
// area, the document steps as a small state machine (a page begins with the document and after
// each finished page, bands cut the page into strips from the top), the abort procedure called
// between bands and at the end of each page, and escapes that can be refused so the pipeline's
// error paths can be tried on a real device. Subclasses provide the paint target.

#include "QtDrawingContext.h"
#include "draw/PrintDevice.h"

#include <QPainter>
#include <memory>
#include <set>

namespace gp::gfx {

class PainterPrintDevice : public PrintDevice {
public:
    ~PainterPrintDevice() override;

    // Rows per band; 0 makes the whole page one band. By default a band is one inch of the page,
    // which keeps the PDF engine's copies of a large photo to a strip at a time.
    void setBandHeight(int rows) { m_bandHeight = rows; }
    // Escapes the device answers as not implemented.
    void setRefusedEscapes(std::set<Escape> escapes) { m_refused = std::move(escapes); }

    bool stretchImage(const Image& image, const SourceArea& source, const Rect& target) override;
    void fillRect(const Rect& rect, Color color) override;
    void frameRect(const Rect& rect, const Pen& pen) override;
    void drawLine(Point from, Point to, const Pen& pen) override;
    void drawText(
        Point at, std::string_view text, const FontSpec& font, TextAlign align, Color color, bool transparent) override;
    Size measureText(std::string_view text, const FontSpec& font) override;
    void setClip(const std::optional<Rect>& clip) override;

    Size printableSize() const override { return m_printable; }
    int resolutionX() const override { return m_dpiX; }
    int resolutionY() const override { return m_dpiY; }
    Size paperSize() const override { return m_paper; }
    Point printingOffset() const override { return m_offset; }
    bool supportsEscape(Escape escape) const override { return !m_refused.count(escape); }
    bool hasFunction(DocumentFunction) const override { return true; }

    int setAbortProcedure(AbortProcedure procedure) override;
    int startDocument(std::string_view name) override;
    int startPage() override;
    int nextBand(Rect& band) override;
    int bandInfo(BandInfo& info) override;
    int endPage() override;
    int endDocument() override;
    void abortDocument() override;

protected:
    PainterPrintDevice(Size printable, int dpiX, int dpiY, Size paper, Point offset);

    // Begins painting the first page of a document on painter; false when the target cannot
    // be opened. The painter's origin must end up at the printable area's top-left corner,
    // one unit per device pixel.
    virtual bool beginOutput(QPainter& painter, std::string_view documentName) = 0;
    // Moves to a fresh page; false when that failed.
    virtual bool nextOutputPage(QPainter& painter) = 0;
    // A band of the page is about to be drawn (bands come from the top down): a device that
    // holds only a strip of the page moves the painter onto this one. False when that failed.
    virtual bool beginBand(QPainter&, const Rect& /*band*/) { return true; }
    // Drawing began on a page without bands: a device that holds strips needs the whole page.
    virtual bool beginWholePage(QPainter&) { return true; }
    // A page is complete (the raster device keeps it).
    virtual void pageFinished(QPainter&) { }
    // Ends the document and delivers the output; false when it could not be written.
    virtual bool finishOutput(QPainter& painter) = 0;
    // Ends the document and drops the output.
    virtual void discardOutput(QPainter& painter) = 0;

private:
    enum class State { Idle, InPage, PageDone, Closed };

    // A drawing call needs a page: after a finished page it begins the next one.
    QtDrawingContext* drawingPage();
    // Asks the abort procedure; drops the job when it says stop.
    bool mayContinue();
    void preparePage();
    void finishPage();

    Size m_printable;
    int m_dpiX;
    int m_dpiY;
    Size m_paper;
    Point m_offset;
    int m_bandHeight;
    std::set<Escape> m_refused;
    AbortProcedure m_abort;
    State m_state = State::Idle;
    int m_bandTop = 0;
    bool m_banded = false; // the page is being drawn in bands
    bool m_wholePage = false; // the page is being drawn without bands
    QPainter m_painter;
    QtDrawingContext m_context { m_painter };
};

} // namespace gp::gfx
