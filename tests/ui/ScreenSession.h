#pragma once
// What the tests of the real program on the test X server share (GLIMMER_TEST_DISPLAY, started by
// scripts/test-services.sh): the program's environment in a temporary folder, photos made by
// ImageMagick, screenshots, xdotool input, and finding colours on the screen. The frame sits
// centred on the 1024 × 768 screen.

#include "ExternalTools.h"
#include "TempDir.h"

#include <QColor>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QStandardPaths>
#include <QTest>
#include <QUuid>
#include <cstdlib>
#include <filesystem>
#include <functional>

namespace gp::test {

constexpr int kFrameLeft = (1024 - 800) / 2;
constexpr int kFrameTop = (768 - 600) / 2;
const QRect kPageArea(kFrameLeft + 180, kFrameTop + 68, 340, 460);
// The Exit cross at the frame's top right.
const QPoint kExitButton(kFrameLeft + 768, kFrameTop + 30);
const QColor kRed(0xd0, 0x20, 0x20);
const QColor kBlue(0x20, 0x40, 0xd0);

inline bool near(QColor c, QColor colour)
{
    return std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40
        && std::abs(c.blue() - colour.blue()) < 40;
}

inline int countColour(const QImage& shot, const QRect& area, QColor colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += near(shot.pixelColor(x, y), colour);
    return count;
}

// The rectangle around every pixel of a colour in an area, leaving out one rectangle of it.
inline QRect extentOf(const QImage& shot, const QRect& area, QColor colour, const QRect& outside = {})
{
    QRect extent;
    const QRect skipped = outside.isNull() ? QRect() : outside.adjusted(-2, -2, 2, 2);
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (!skipped.contains(x, y) && near(shot.pixelColor(x, y), colour))
                extent |= QRect(x, y, 1, 1);
    return extent;
}

class ScreenSession {
public:
    TempDir dir;
    QString display;
    QProcessEnvironment environment;

    // Why the session cannot run (no X server, a tool missing), or empty when it can. Under CI a
    // missing tool is a failure, not a reason to skip.
    QString start(const char* instancePrefix)
    {
        display = qEnvironmentVariable("GLIMMER_TEST_DISPLAY");
        if (display.isEmpty())
            return QStringLiteral("GLIMMER_TEST_DISPLAY is not set: no X server");
        const std::string missing = missingTools({ "xdotool", "import", "convert" });
        if (!missing.empty())
            return QStringLiteral("not installed: ") + QString::fromStdString(missing);
        std::filesystem::copy_file(GLIMMER_DEFAULT_INI, dir / "GLMPRESS.INI");
        environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.insert(QStringLiteral("DISPLAY"), display);
        environment.insert(QStringLiteral("GLIMMERPRESS_WINDIR"), QString::fromStdString(dir.path().string()));
        environment.insert(QStringLiteral("GLIMMERPRESS_DATADIR"), QString::fromStdString((dir / "data").string()));
        environment.insert(QStringLiteral("GLIMMERPRESS_PROGDIR"), QStringLiteral(GLIMMER_BUILD_DATADIR));
        environment.insert(QStringLiteral("GLIMMERPRESS_INSTANCE_NAME"),
            QLatin1String(instancePrefix) + QUuid::createUuid().toString(QUuid::Id128));
        return {};
    }

    // Starts the program in the session with the given photos.
    void launch(QProcess& program, const QStringList& photos)
    {
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(GLIMMER_PROGRAM), photos);
    }

    QImage screenshot()
    {
        const QString file = QString::fromStdString((dir / "shot.png").string());
        QProcess::execute(QStringLiteral("import"),
            { QStringLiteral("-display"), display, QStringLiteral("-window"), QStringLiteral("root"), file });
        return QImage(file);
    }

    // A 160 × 120 photo of one colour ("#rrggbb").
    QString photo(const char* name, const char* colour)
    {
        const QString path = QString::fromStdString((dir / name).string());
        QProcess::execute(QStringLiteral("convert"),
            { QStringLiteral("-size"), QStringLiteral("160x120"), QStringLiteral("xc:") + QLatin1String(colour),
                QStringLiteral("bmp3:") + path });
        return path;
    }

    void xdotool(const QStringList& arguments)
    {
        QProcess tool;
        tool.setProcessEnvironment(environment);
        tool.start(
            QStringLiteral("timeout"), QStringList { QStringLiteral("10"), QStringLiteral("xdotool") } + arguments);
        tool.waitForFinished(15000);
    }

    void clickAt(QPoint point, int button = 1)
    {
        xdotool({ QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y()),
            QStringLiteral("click"), QString::number(button) });
        QTest::qWait(300);
    }

    void key(const char* keys) { xdotool({ QStringLiteral("key"), QLatin1String(keys) }); }

    // Waits until a screenshot shows what the test looks for; up to 40 s, as the sanitizer build
    // starts slowly on a busy machine.
    bool waitFor(const std::function<bool(const QImage&)>& shows)
    {
        for (int attempt = 0; attempt < 160; ++attempt) {
            if (shows(screenshot()))
                return true;
            QTest::qWait(250);
        }
        return false;
    }
};

} // namespace gp::test

// Starts the session in initTestCase: skips without an X server; a missing tool skips the test
// too, or fails it under CI.
#define GLIMMER_START_SCREEN_SESSION(session, prefix)                                                                  \
    do {                                                                                                               \
        const QString why_ = (session).start(prefix);                                                                  \
        if (!why_.isEmpty()) {                                                                                         \
            if (::gp::test::underCi() && !(session).display.isEmpty())                                                 \
                QFAIL(qPrintable(QStringLiteral("missing under CI: ") + why_));                                        \
            QSKIP(qPrintable(why_));                                                                                   \
        }                                                                                                              \
    } while (0)
