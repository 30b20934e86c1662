// The real program on the test X server (GLIMMER_TEST_DISPLAY, started by
// scripts/test-services.sh), worked with the mouse as a user would: the cell menu opens where the
// right button is pressed and its Rotate Photo and Delete act on that cell, not on the current
// one. Skips without the X server, xdotool or ImageMagick.

#include "TempDir.h"

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
const QColor kRed(0xd0, 0x20, 0x20);
const QColor kBlue(0x20, 0x40, 0xd0);

bool near(QColor c, QColor colour)
{
    return std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40
        && std::abs(c.blue() - colour.blue()) < 40;
}

// The rectangle around every pixel of a colour in the page area.
QRect extentOf(const QImage& shot, QColor colour)
{
    QRect extent;
    for (int y = kPageArea.top(); y <= kPageArea.bottom(); ++y)
        for (int x = kPageArea.left(); x <= kPageArea.right(); ++x)
            if (near(shot.pixelColor(x, y), colour))
                extent |= QRect(x, y, 1, 1);
    return extent;
}

} // namespace

class PageMouseTest : public QObject {
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
        tool.setProcessEnvironment(m_environment);
        tool.start(
            QStringLiteral("timeout"), QStringList { QStringLiteral("10"), QStringLiteral("xdotool") } + arguments);
        tool.waitForFinished(15000);
    }

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

    // Opens the cell menu with a right click and waits until the menu has covered the page below
    // and right of the click, so the key that follows reaches the menu however slowly the machine
    // draws it.
    bool openMenuAt(QPoint point)
    {
        const QImage before = screenshot();
        clickAt(point, 3);
        return waitFor([point, &before](const QImage& s) {
            int changed = 0;
            for (int y = point.y() + 4; y < point.y() + 14; ++y)
                for (int x = point.x() + 4; x < point.x() + 34; ++x)
                    changed += s.pixel(x, y) != before.pixel(x, y);
            return changed > 150;
        });
    }

    void clickAt(QPoint point, int button)
    {
        xdotool({ QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y()),
            QStringLiteral("click"), QString::number(button) });
        QTest::qWait(300);
    }

private slots:
    void initTestCase()
    {
        m_display = qEnvironmentVariable("GLIMMER_TEST_DISPLAY");
        if (m_display.isEmpty())
            QSKIP("GLIMMER_TEST_DISPLAY is not set: no X server for the mouse test");
        for (const char* tool : { "xdotool", "import", "convert" })
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                QSKIP("xdotool or ImageMagick is missing");
        std::filesystem::copy_file(GLIMMER_DEFAULT_INI, m_dir / "GLMPRESS.INI");
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        m_environment.insert(QStringLiteral("DISPLAY"), m_display);
        m_environment.insert(QStringLiteral("GLIMMERPRESS_WINDIR"), QString::fromStdString(m_dir.path().string()));
        m_environment.insert(QStringLiteral("GLIMMERPRESS_DATADIR"), QString::fromStdString((m_dir / "data").string()));
        m_environment.insert(QStringLiteral("GLIMMERPRESS_PROGDIR"), QStringLiteral(GLIMMER_BUILD_DATADIR));
        m_environment.insert(QStringLiteral("GLIMMERPRESS_INSTANCE_NAME"),
            QStringLiteral("glimmer-page-") + QUuid::createUuid().toString(QUuid::Id128));
    }

    void cellMenuActsWhereItOpened()
    {
        QProcess program;
        program.setProcessEnvironment(m_environment);
        program.start(QStringLiteral(GLIMMER_PROGRAM), { photo("red.bmp", "#d02020"), photo("blue.bmp", "#2040d0") });
        QVERIFY(program.waitForStarted());
        QVERIFY2(
            waitFor([](const QImage& s) { return extentOf(s, kRed).width() > 40 && extentOf(s, kBlue).width() > 20; }),
            "the photos never appeared");
        const QImage shot = screenshot();
        const QRect red = extentOf(shot, kRed);
        const QRect blue = extentOf(shot, kBlue);

        // The red cell is made current; the menu opens on the blue one and R turns the blue photo.
        clickAt(red.center(), 1);
        QVERIFY2(openMenuAt(blue.center()), "no menu on the blue cell");
        xdotool({ QStringLiteral("key"), QStringLiteral("r") });
        QVERIFY2(waitFor([](const QImage& s) {
            const QRect turned = extentOf(s, kBlue);
            return turned.height() > turned.width();
        }),
            "Rotate Photo turned nothing");
        QCOMPARE(extentOf(screenshot(), kRed), red);

        // Delete from the blue cell's menu takes the blue photo off the page.
        QVERIFY2(openMenuAt(extentOf(screenshot(), kBlue).center()), "no menu on the turned photo");
        xdotool({ QStringLiteral("key"), QStringLiteral("d") });
        QVERIFY2(waitFor([](const QImage& s) { return extentOf(s, kBlue).isEmpty(); }), "Delete deleted nothing");
        QCOMPARE(extentOf(screenshot(), kRed), red);

        clickAt(QPoint(kFrameLeft + 768, kFrameTop + 30), 1);
        QVERIFY(program.state() == QProcess::NotRunning || program.waitForFinished(20000));
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_MAIN(PageMouseTest)
#include "PageMouseTest.moc"
