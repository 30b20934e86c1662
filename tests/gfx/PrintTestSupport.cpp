#include "PrintTestSupport.h"

#include "TempDir.h"

#include <QGuiApplication>
#include <QProcess>
#include <gtest/gtest.h>

// A job sent to a queue with options leaves the option list that the printing system's library
// builds for it (inside the library, below Qt's print engine); the leak checker of the sanitizer
// builds is told to let those blocks be.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:cupsAddOption\n";
}

namespace gp::test {

namespace {

// Fonts and PDF writing need a GUI application; the tests run on the offscreen platform.
class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "gfx_print_tests";
        static char* argv[] = { name, nullptr };
        if (!QGuiApplication::instance())
            m_app = std::make_unique<QGuiApplication>(argc, argv);
    }
    // Before the program's static objects go, while Qt's plugins are still whole.
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QGuiApplication> m_app;
};

[[maybe_unused]] const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace

Image quadrantPhoto(int width, int height)
{
    Image image = Image::create(width, height, 24).value();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QColor& c = y < height / 2 ? (x < width / 2 ? kTopLeft : kTopRight)
                                             : (x < width / 2 ? kBottomLeft : kBottomRight);
            std::uint8_t* p = image.row(y) + 3 * x;
            p[0] = std::uint8_t(c.blue());
            p[1] = std::uint8_t(c.green());
            p[2] = std::uint8_t(c.red());
        }
    }
    return image;
}

std::optional<QByteArray> runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed: " << process.readAllStandardError().toStdString();
        return std::nullopt;
    }
    return process.readAllStandardOutput();
}

QImage renderPdf(const std::filesystem::path& pdf, int dpi)
{
    const std::filesystem::path prefix = pdf.parent_path() / (pdf.stem().string() + "-page");
    if (!runTool("pdftoppm",
            { "-r", QString::number(dpi), "-f", "1", "-l", "1", "-singlefile", "-png",
                QString::fromStdString(pdf.string()), QString::fromStdString(prefix.string()) }))
        return {};
    return QImage(QString::fromStdString(prefix.string() + ".png")).convertToFormat(QImage::Format_RGB32);
}

bool near(QRgb pixel, const QColor& color, int tolerance)
{
    return std::abs(qRed(pixel) - color.red()) <= tolerance && std::abs(qGreen(pixel) - color.green()) <= tolerance
        && std::abs(qBlue(pixel) - color.blue()) <= tolerance;
}

} // namespace gp::test
