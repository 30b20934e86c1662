// The real program on the test X server (GLIMMER_TEST_DISPLAY, started by
// scripts/test-services.sh), worked with the mouse as a user would: the cell menu opens where the
// right button is pressed and its Rotate Photo and Delete act on that cell, not on the current
// one. Skips without the X server; without xdotool or ImageMagick it skips, or fails under CI.

#include "ScreenSession.h"

using namespace gp::test;

namespace {

// The rectangle around every pixel of a colour in the page area.
QRect extentOf(const QImage& shot, QColor colour)
{
    return gp::test::extentOf(shot, kPageArea, colour);
}

} // namespace

class PageMouseTest : public QObject {
    Q_OBJECT
private:
    ScreenSession m_session;

    // Opens the cell menu with a right click and waits until the menu has covered the page below
    // and right of the click, so the key that follows reaches the menu however slowly the machine
    // draws it.
    bool openMenuAt(QPoint point)
    {
        const QImage before = m_session.screenshot();
        m_session.clickAt(point, 3);
        return m_session.waitFor([point, &before](const QImage& s) {
            int changed = 0;
            for (int y = point.y() + 4; y < point.y() + 14; ++y)
                for (int x = point.x() + 4; x < point.x() + 34; ++x)
                    changed += s.pixel(x, y) != before.pixel(x, y);
            return changed > 150;
        });
    }

private slots:
    void initTestCase() { GLIMMER_START_SCREEN_SESSION(m_session, "glimmer-page-"); }

    void cellMenuActsWhereItOpened()
    {
        QProcess program;
        m_session.launch(program, { m_session.photo("red.bmp", "#d02020"), m_session.photo("blue.bmp", "#2040d0") });
        QVERIFY(program.waitForStarted());
        QVERIFY2(m_session.waitFor(
                     [](const QImage& s) { return extentOf(s, kRed).width() > 40 && extentOf(s, kBlue).width() > 20; }),
            "the photos never appeared");
        const QImage shot = m_session.screenshot();
        const QRect red = extentOf(shot, kRed);
        const QRect blue = extentOf(shot, kBlue);

        // The red cell is made current; the menu opens on the blue one and R turns the blue photo.
        m_session.clickAt(red.center(), 1);
        QVERIFY2(openMenuAt(blue.center()), "no menu on the blue cell");
        m_session.key("r");
        QVERIFY2(m_session.waitFor([](const QImage& s) {
            const QRect turned = extentOf(s, kBlue);
            return turned.height() > turned.width();
        }),
            "Rotate Photo turned nothing");
        QCOMPARE(extentOf(m_session.screenshot(), kRed), red);

        // Delete from the blue cell's menu takes the blue photo off the page.
        QVERIFY2(openMenuAt(extentOf(m_session.screenshot(), kBlue).center()), "no menu on the turned photo");
        m_session.key("d");
        QVERIFY2(
            m_session.waitFor([](const QImage& s) { return extentOf(s, kBlue).isEmpty(); }), "Delete deleted nothing");
        QCOMPARE(extentOf(m_session.screenshot(), kRed), red);

        m_session.clickAt(kExitButton, 1);
        QVERIFY(program.state() == QProcess::NotRunning || program.waitForFinished(20000));
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_MAIN(PageMouseTest)
#include "PageMouseTest.moc"
