// The real program on a real X server (GLIMMER_TEST_DISPLAY, started by scripts/test-services.sh):
// two photos on the command line appear in cells of their own on the page, a click on the copies button
// changes the counter, a second start hands its photo to the first and ends, and Exit writes
// the recent files; Ctrl+X, Ctrl+C, Ctrl+V and Ctrl+R act on the page's current cell. Skips
// without the X server; without xdotool or ImageMagick it skips, or fails under CI.

#include "ScreenSession.h"

#include <QFile>

using namespace gp::test;

namespace {

const QRect kCopies(kFrameLeft + 632, kFrameTop + 300, 96, 48);

} // namespace

class SmokeTest : public QObject {
    Q_OBJECT
private:
    ScreenSession m_session;

    // Waits until the screenshot shows colour in the page area.
    bool waitForColour(QColor colour)
    {
        return m_session.waitFor([colour](const QImage& shot) { return countColour(shot, kPageArea, colour) > 500; });
    }

private slots:
    void initTestCase() { GLIMMER_START_SCREEN_SESSION(m_session, "glimmer-smoke-"); }

    void photosShowAndASecondStartHandsOver()
    {
        const QString red = m_session.photo("red.bmp", "#d02020");
        const QString blue = m_session.photo("blue.bmp", "#2040d0");
        const QString green = m_session.photo("green.bmp", "#20b040");

        QProcess first;
        m_session.launch(first, { red, blue });
        QVERIFY(first.waitForStarted());
        QVERIFY2(waitForColour(kRed), "the red photo never appeared on the page");
        QVERIFY2(waitForColour(kBlue), "the blue photo never appeared on the page");

        // Each photo fills a cell of its own on the page.
        QImage shot = m_session.screenshot();
        const QRect redShown = extentOf(shot, kPageArea, kRed);
        const QRect blueShown = extentOf(shot, kPageArea, kBlue);
        QVERIFY(!redShown.intersects(blueShown));
        QVERIFY(redShown.width() > 40 && blueShown.width() > 20);

        // The black backdrop around the frame, the frame's header band inside it.
        QCOMPARE(shot.pixelColor(5, 5), QColor(Qt::black));
        QCOMPARE(shot.pixelColor(kFrameLeft + 400, kFrameTop + 30), QColor(0x2f, 0x48, 0x58));

        // A click on + changes the copies picture.
        const QImage before = shot.copy(kCopies);
        m_session.clickAt(QPoint(kFrameLeft + 760, kFrameTop + 311));
        QVERIFY(m_session.screenshot().copy(kCopies) != before);

        QProcess second;
        m_session.launch(second, { green });
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);
        QVERIFY2(waitForColour(QColor(0x20, 0xb0, 0x40)), "the handed-over photo never appeared");

        // Exit (the cross at the top right) ends the program and writes the recent files.
        m_session.xdotool({ QStringLiteral("mousemove"), QString::number(kExitButton.x()),
            QString::number(kExitButton.y()), QStringLiteral("click"), QStringLiteral("1") });
        QVERIFY(first.waitForFinished(20000));
        QCOMPARE(first.exitCode(), 0);
        QFile ini(QString::fromStdString((m_session.dir / "GLMPRESS.INI").string()));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY(ini.readAll().contains("green.bmp"));
    }

    void layoutKeysActOnTheCurrentCell()
    {
        const QString red = m_session.photo("red.bmp", "#d02020");
        const QString blue = m_session.photo("blue.bmp", "#2040d0");
        QProcess program;
        m_session.launch(program, { red, blue });
        QVERIFY(program.waitForStarted());
        QVERIFY(waitForColour(kRed) && waitForColour(kBlue));
        const QImage shot = m_session.screenshot();
        const QRect redShown = extentOf(shot, kPageArea, kRed);
        const QRect blueShown = extentOf(shot, kPageArea, kBlue);

        // Ctrl+X on the blue photo's cell takes the photo off the page.
        m_session.clickAt(blueShown.center());
        m_session.key("ctrl+x");
        QVERIFY2(m_session.waitFor([](const QImage& s) { return countColour(s, kPageArea, kBlue) == 0; }),
            "Ctrl+X cut nothing");

        // Ctrl+C on the red photo's cell, Ctrl+V on the emptied cell: the red photo shows twice.
        m_session.clickAt(redShown.center());
        m_session.key("ctrl+c");
        m_session.clickAt(blueShown.center());
        m_session.key("ctrl+v");
        QVERIFY2(m_session.waitFor([&](const QImage& s) { return countColour(s, blueShown, kRed) > 500; }),
            "Ctrl+V pasted nothing");
        const QRect pasted = extentOf(m_session.screenshot(), kPageArea, kRed, redShown);
        QVERIFY(pasted.width() > pasted.height());

        // Ctrl+R turns the pasted photo a quarter: it stands upright now; the first one stays.
        m_session.key("ctrl+r");
        QVERIFY2(m_session.waitFor([&](const QImage& s) {
            const QRect turned = extentOf(s, kPageArea, kRed, redShown);
            return turned.height() > turned.width();
        }),
            "Ctrl+R turned nothing");
        QCOMPARE(extentOf(m_session.screenshot(), redShown.adjusted(-2, -2, 2, 2), kRed), redShown);

        QCOMPARE(program.state(), QProcess::Running);
        // Exit; the program may already have ended while the click was waited for.
        m_session.clickAt(kExitButton);
        QVERIFY(program.state() == QProcess::NotRunning || program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_MAIN(SmokeTest)
#include "SmokeTest.moc"
