#pragma once
// A print device for tests that records every step and drawing call into a log the test keeps
// (the pipeline deletes the device at the end of a job), with a scripted page, bands, refused
// escapes, missing document functions and forced step results. FakePrinterCatalog hands such
// devices out as the system's printers.

#include "draw/PrinterCatalog.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace gp::test {

struct DeviceSetup {
    Size printable { 4800, 6120 };
    int dpiX = 600;
    int dpiY = 600;
    Size paper { 5100, 6600 };
    Point offset;
    int bandHeight = 0; // 0: the whole page is one band
    std::set<Escape> refusedEscapes;
    std::set<DocumentFunction> missingFunctions;
    // Forced results by step name ("setAbortProc", "startDoc", "startPage", "endPage", "endDoc",
    // "bandInfo"); "nextBand#N" forces the N-th NEXTBAND (from 1).
    std::map<std::string, int> results;
    bool bandInfoWantsGraphics = true;
    bool stretchFails = false;
};

struct DeviceLog {
    struct Stretch {
        SourceArea source;
        Rect target;
        int imageWidth = 0;
        int imageHeight = 0;
        const Image* image = nullptr; // the block drawn from, to tell a shared photo from a copy
    };
    struct Text {
        Point at;
        std::string text;
        FontSpec font;
        TextAlign align = TextAlign::Left;
        Color color;
        bool transparent = false;
    };
    std::vector<std::string> steps; // document steps in order, e.g. "startDoc:NAME", "nextBand"
    std::vector<Stretch> stretches;
    std::vector<Text> texts;
    std::vector<std::pair<Rect, Color>> fills;
    std::vector<std::pair<Rect, Pen>> frames;
    std::vector<std::pair<Point, Point>> lines;
    std::vector<std::optional<Rect>> clips;
    bool destroyed = false;

    int count(const std::string& step) const;
};

class RecordingPrintDevice final : public PrintDevice {
public:
    RecordingPrintDevice(DeviceSetup setup, std::shared_ptr<DeviceLog> log);
    ~RecordingPrintDevice() override;

    bool stretchImage(const Image& image, const SourceArea& source, const Rect& target) override;
    void fillRect(const Rect& rect, Color color) override { m_log->fills.emplace_back(rect, color); }
    void frameRect(const Rect& rect, const Pen& pen) override { m_log->frames.emplace_back(rect, pen); }
    void drawLine(Point from, Point to, const Pen&) override { m_log->lines.emplace_back(from, to); }
    void drawText(
        Point at, std::string_view text, const FontSpec& font, TextAlign align, Color color, bool transparent) override;
    // Every character is half the font height wide (the current font is 100 pixels high).
    Size measureText(std::string_view text, const FontSpec& font) override;
    void setClip(const std::optional<Rect>& clip) override { m_log->clips.push_back(clip); }

    Size printableSize() const override { return m_setup.printable; }
    int resolutionX() const override { return m_setup.dpiX; }
    int resolutionY() const override { return m_setup.dpiY; }
    Size paperSize() const override { return m_setup.paper; }
    Point printingOffset() const override { return m_setup.offset; }
    bool supportsEscape(Escape escape) const override { return !m_setup.refusedEscapes.count(escape); }
    bool hasFunction(DocumentFunction function) const override { return !m_setup.missingFunctions.count(function); }

    int setAbortProcedure(AbortProcedure procedure) override;
    int startDocument(std::string_view name) override;
    int startPage() override { return step("startPage"); }
    int nextBand(Rect& band) override;
    int bandInfo(BandInfo& info) override;
    int endPage() override;
    int endDocument() override { return step("endDoc"); }
    void abortDocument() override { m_log->steps.push_back("abortDoc"); }

private:
    int step(const std::string& name, int success = 1);

    DeviceSetup m_setup;
    std::shared_ptr<DeviceLog> m_log;
    AbortProcedure m_abort;
    int m_nextBandCalls = 0;
    int m_bandTop = 0;
};

class FakePrinterCatalog final : public PrinterCatalog {
public:
    std::optional<PrinterChoice> defaultChoice;
    std::vector<DeviceNames> printerList;
    DeviceSetup setup;
    bool createFails = false;
    std::shared_ptr<DeviceLog> log = std::make_shared<DeviceLog>();
    std::vector<PrinterChoice> created; // the choice of every device made, in order

    std::optional<PrinterChoice> defaultPrinter() override { return defaultChoice; }
    std::vector<DeviceNames> printers() override { return printerList; }
    std::unique_ptr<PrintDevice> createDevice(const PrinterChoice& choice) override;
};

} // namespace gp::test
