// The real program on a real X server (GLIMMER_TEST_DISPLAY, started by scripts/test-services.sh):
// two photos on the command line appear in cells of their own on the page, a click on the copies button
// changes the counter, a second start hands its photo to the first and ends, and Exit writes
// the recent files; Ctrl+X, Ctrl+C, Ctrl+V and Ctrl+R act on the page's current cell. Skips
// without the X server, xdotool or ImageMagick.

#include "TempDir.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QUuid>
#include <filesystem>
#include <functional>

namespace {

// The frame sits centred on the 1024 × 768 screen.
constexpr int kFrameLeft = (1024 - 800) / 2;
constexpr int kFrameTop = (768 - 600) / 2;
const QRect kPageArea(kFrameLeft + 180, kFrameTop + 68, 340, 460);
const QRect kCopies(kFrameLeft + 632, kFrameTop + 300, 96, 48);

bool hasTool(const char* name)
{
    return !QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty();
}

bool near(QColor c, QColor colour)
{
    return std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40
        && std::abs(c.blue() - colour.blue()) < 40;
}

int countColour(const QImage& shot, const QRect& area, QColor colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += near(shot.pixelColor(x, y), colour);
    return count;
}

// Where a colour shows in an area: the rectangle around all its pixels.
QRect extentOf(const QImage& shot, const QRect& area, QColor colour)
{
    QRect extent;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (near(shot.pixelColor(x, y), colour))
                extent |= QRect(x, y, 1, 1);
    return extent;
}

// Where a colour shows in an area outside one rectangle of it.
QRect extentOutside(const QImage& shot, const QRect& area, const QRect& outside, QColor colour)
{
    QRect extent;
    const QRect skipped = outside.adjusted(-2, -2, 2, 2);
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (!skipped.contains(x, y) && near(shot.pixelColor(x, y), colour))
                extent |= QRect(x, y, 1, 1);
    return extent;
}

const QColor kRed(0xd0, 0x20, 0x20);
const QColor kBlue(0x20, 0x40, 0xd0);

} // namespace

class SmokeTest : public QObject {
    Q_OBJECT
private:
    QString m_display;
    gp::test::TempDir m_dir;
    QProcessEnvironment m_environment;

    QImage screenshot()
    {
        const QString file = QString::fromStdString((m_dir / "shot.png").string());
        QProcess::execute(QStringLiteral("import"),
            { QStringLiteral("-display"), m_display, QStringLiteral("-window"), QStringLiteral("root"), file });
        return QImage(file);
    }

    QString photo(const char* name, const char* colour)
    {
        const QString path = QString::fromStdString((m_dir / name).string());
        QProcess::execute(QStringLiteral("convert"),
            { QStringLiteral("-size"), QStringLiteral("160x120"), QStringLiteral("xc:") + QLatin1String(colour),
                QStringLiteral("bmp3:") + path });
        return path;
    }

    void xdotool(const QStringList& arguments)
    {
        QProcess tool;
        QProcessEnvironment environment = m_environment;
        tool.setProcessEnvironment(environment);
        tool.start(
            QStringLiteral("timeout"), QStringList { QStringLiteral("10"), QStringLiteral("xdotool") } + arguments);
        tool.waitForFinished(15000);
    }

    // Waits until the screenshot shows what the test looks for.
    bool waitFor(const std::function<bool(const QImage&)>& shows)
    {
        // Up to 40 s: the sanitizer build starts slowly on a busy machine.
        for (int attempt = 0; attempt < 160; ++attempt) {
            if (shows(screenshot()))
                return true;
            QTest::qWait(250);
        }
        return false;
    }

    // Waits until the screenshot shows colour in the page area.
    bool waitForColour(QColor colour)
    {
        return waitFor([colour](const QImage& shot) { return countColour(shot, kPageArea, colour) > 500; });
    }

    void clickAt(QPoint point)
    {
        xdotool({ QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y()),
            QStringLiteral("click"), QStringLiteral("1") });
        QTest::qWait(200);
    }

    void key(const char* keys) { xdotool({ QStringLiteral("key"), QLatin1String(keys) }); }

private slots:
    void initTestCase()
    {
        m_display = qEnvironmentVariable("GLIMMER_TEST_DISPLAY");
        if (m_display.isEmpty())
            QSKIP("GLIMMER_TEST_DISPLAY is not set: no X server for the smoke test");
        if (!hasTool("xdotool") || !hasTool("import") || !hasTool("convert"))
            QSKIP("xdotool or ImageMagick is missing");
        std::filesystem::copy_file(GLIMMER_DEFAULT_INI, m_dir / "GLMPRESS.INI");
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        m_environment.insert(QStringLiteral("DISPLAY"), m_display);
        m_environment.insert(QStringLiteral("GLIMMERPRESS_WINDIR"), QString::fromStdString(m_dir.path().string()));
        m_environment.insert(QStringLiteral("GLIMMERPRESS_DATADIR"), QString::fromStdString((m_dir / "data").string()));
        m_environment.insert(QStringLiteral("GLIMMERPRESS_PROGDIR"), QStringLiteral(GLIMMER_BUILD_DATADIR));
        m_environment.insert(QStringLiteral("GLIMMERPRESS_INSTANCE_NAME"),
            QStringLiteral("glimmer-smoke-") + QUuid::createUuid().toString(QUuid::Id128));
    }

    void photosShowAndASecondStartHandsOver()
    {
        const QString red = photo("red.bmp", "#d02020");
        const QString blue = photo("blue.bmp", "#2040d0");
        const QString green = photo("green.bmp", "#20b040");

        QProcess first;
        first.setProcessEnvironment(m_environment);
        first.start(QStringLiteral(GLIMMER_PROGRAM), { red, blue });
        QVERIFY(first.waitForStarted());
        QVERIFY2(waitForColour(QColor(0xd0, 0x20, 0x20)), "the red photo never appeared on the page");
        QVERIFY2(waitForColour(QColor(0x20, 0x40, 0xd0)), "the blue photo never appeared on the page");

        // Each photo fills a cell of its own on the page.
        QImage shot = screenshot();
        const QRect redShown = extentOf(shot, kPageArea, QColor(0xd0, 0x20, 0x20));
        const QRect blueShown = extentOf(shot, kPageArea, QColor(0x20, 0x40, 0xd0));
        QVERIFY(!redShown.intersects(blueShown));
        QVERIFY(redShown.width() > 40 && blueShown.width() > 20);

        // The black backdrop around the frame, the frame's header band inside it.
        QCOMPARE(shot.pixelColor(5, 5), QColor(Qt::black));
        QCOMPARE(shot.pixelColor(kFrameLeft + 400, kFrameTop + 30), QColor(0x2f, 0x48, 0x58));

        // A click on + changes the copies picture.
        const QImage before = shot.copy(kCopies);
        xdotool({ QStringLiteral("mousemove"), QString::number(kFrameLeft + 760), QString::number(kFrameTop + 311),
            QStringLiteral("click"), QStringLiteral("1") });
        QTest::qWait(300);
        QVERIFY(screenshot().copy(kCopies) != before);

        QProcess second;
        second.setProcessEnvironment(m_environment);
        second.start(QStringLiteral(GLIMMER_PROGRAM), { green });
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);
        QVERIFY2(waitForColour(QColor(0x20, 0xb0, 0x40)), "the handed-over photo never appeared");

        // Exit (the cross at the top right) ends the program and writes the recent files.
        xdotool({ QStringLiteral("mousemove"), QString::number(kFrameLeft + 768), QString::number(kFrameTop + 30),
            QStringLiteral("click"), QStringLiteral("1") });
        QVERIFY(first.waitForFinished(20000));
        QCOMPARE(first.exitCode(), 0);
        QFile ini(QString::fromStdString((m_dir / "GLMPRESS.INI").string()));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY(ini.readAll().contains("green.bmp"));
    }

    void layoutKeysActOnTheCurrentCell()
    {
        const QString red = photo("red.bmp", "#d02020");
        const QString blue = photo("blue.bmp", "#2040d0");
        QProcess program;
        program.setProcessEnvironment(m_environment);
        program.start(QStringLiteral(GLIMMER_PROGRAM), { red, blue });
        QVERIFY(program.waitForStarted());
        QVERIFY(waitForColour(kRed) && waitForColour(kBlue));
        const QImage shot = screenshot();
        const QRect redShown = extentOf(shot, kPageArea, kRed);
        const QRect blueShown = extentOf(shot, kPageArea, kBlue);

        // Ctrl+X on the blue photo's cell takes the photo off the page.
        clickAt(blueShown.center());
        key("ctrl+x");
        QVERIFY2(waitFor([](const QImage& s) { return countColour(s, kPageArea, kBlue) == 0; }), "Ctrl+X cut nothing");

        // Ctrl+C on the red photo's cell, Ctrl+V on the emptied cell: the red photo shows twice.
        clickAt(redShown.center());
        key("ctrl+c");
        clickAt(blueShown.center());
        key("ctrl+v");
        QVERIFY2(
            waitFor([&](const QImage& s) { return countColour(s, blueShown, kRed) > 500; }), "Ctrl+V pasted nothing");
        const QRect pasted = extentOutside(screenshot(), kPageArea, redShown, kRed);
        QVERIFY(pasted.width() > pasted.height());

        // Ctrl+R turns the pasted photo a quarter: it stands upright now; the first one stays.
        key("ctrl+r");
        QVERIFY2(waitFor([&](const QImage& s) {
            const QRect turned = extentOutside(s, kPageArea, redShown, kRed);
            return turned.height() > turned.width();
        }),
            "Ctrl+R turned nothing");
        QCOMPARE(extentOf(screenshot(), redShown.adjusted(-2, -2, 2, 2), kRed), redShown);

        QCOMPARE(program.state(), QProcess::Running);
        // Exit; the program may already have ended while the click was waited for.
        clickAt(QPoint(kFrameLeft + 768, kFrameTop + 30));
        QVERIFY(program.state() == QProcess::NotRunning || program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_MAIN(SmokeTest)
#include "SmokeTest.moc"
