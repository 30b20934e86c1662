#include "RecordingPrintDevice.h"

#include <algorithm>

namespace gp::test {

int DeviceLog::count(const std::string& step) const
{
    return static_cast<int>(std::count(steps.begin(), steps.end(), step));
}

RecordingPrintDevice::RecordingPrintDevice(DeviceSetup setup, std::shared_ptr<DeviceLog> log)
    : m_setup(std::move(setup))
    , m_log(std::move(log))
{
}

RecordingPrintDevice::~RecordingPrintDevice()
{
    m_log->destroyed = true;
}

int RecordingPrintDevice::step(const std::string& name, int success)
{
    m_log->steps.push_back(name);
    auto forced = m_setup.results.find(name);
    return forced != m_setup.results.end() ? forced->second : success;
}

bool RecordingPrintDevice::stretchImage(const Image& image, const SourceArea& source, const Rect& target)
{
    m_log->stretches.push_back({ source, target, image.width(), image.height(), &image });
    return !m_setup.stretchFails;
}

void RecordingPrintDevice::drawText(
    Point at, std::string_view text, const FontSpec& font, TextAlign align, Color color, bool transparent)
{
    m_log->texts.push_back({ at, std::string(text), font, align, color, transparent });
}

Size RecordingPrintDevice::measureText(std::string_view text, const FontSpec& font)
{
    const int height = font.height > 0 ? font.height : 100;
    return { static_cast<int>(text.size()) * height / 2, height };
}

int RecordingPrintDevice::setAbortProcedure(AbortProcedure procedure)
{
    m_abort = std::move(procedure);
    return step("setAbortProc");
}

int RecordingPrintDevice::startDocument(std::string_view name)
{
    m_log->steps.push_back("startDoc:" + std::string(name));
    auto forced = m_setup.results.find("startDoc");
    return forced != m_setup.results.end() ? forced->second : 1;
}

int RecordingPrintDevice::nextBand(Rect& band)
{
    ++m_nextBandCalls;
    m_log->steps.push_back("nextBand");
    if (m_abort && !m_abort(0)) {
        m_log->steps.push_back("jobAborted");
        band = {};
        return kJobAborted;
    }
    auto forced = m_setup.results.find("nextBand#" + std::to_string(m_nextBandCalls));
    if (forced != m_setup.results.end()) {
        band = {};
        return forced->second;
    }
    const int height = m_setup.bandHeight > 0 ? m_setup.bandHeight : m_setup.printable.height;
    if (m_bandTop >= m_setup.printable.height) {
        band = {};
        m_bandTop = 0;
        return 1;
    }
    band = { 0, m_bandTop, m_setup.printable.width, std::min(m_bandTop + height, m_setup.printable.height) };
    m_bandTop = band.bottom;
    return 1;
}

int RecordingPrintDevice::bandInfo(BandInfo& info)
{
    info.graphicsWanted = m_setup.bandInfoWantsGraphics;
    return step("bandInfo");
}

int RecordingPrintDevice::endPage()
{
    if (m_abort && !m_abort(0)) {
        m_log->steps.push_back("jobAborted");
        return kJobAborted;
    }
    return step("endPage");
}

std::unique_ptr<PrintDevice> FakePrinterCatalog::createDevice(const PrinterChoice& choice)
{
    created.push_back(choice);
    if (createFails)
        return nullptr;
    return std::make_unique<RecordingPrintDevice>(setup, log);
}

} // namespace gp::test
