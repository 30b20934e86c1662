// The slide show's hold-off of the screen saver, against a screen-saver service on a private
// message bus started for the test (skipped where no bus daemon is installed).

#include "ScreenSaverTest.h"
#include "QtRequire.h"

#include "views/ScreenSaverInhibitor.h"

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace gp::ui;

void ScreenSaverTest::theShowHoldsTheScreenSaverOffWhileItRuns()
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    GLIMMER_QREQUIRE(!daemon.isEmpty(), std::string("no message bus daemon on this machine"));
    QProcess bus;
    bus.start(daemon, { QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1") });
    QVERIFY(bus.waitForStarted());
    QTRY_VERIFY(bus.canReadLine());
    const QString address = QString::fromUtf8(bus.readLine()).trimmed();

    QDBusConnection serviceSide = QDBusConnection::connectToBus(address, QStringLiteral("screen-saver"));
    QVERIFY(serviceSide.isConnected());
    QDBusConnection showSide = QDBusConnection::connectToBus(address, QStringLiteral("show"));
    QVERIFY(showSide.isConnected());

    {
        // No service on the bus yet: nothing is held, and letting go does not wait.
        ScreenSaverInhibitor inhibitor(QStringLiteral("Slide show"), showSide);
        QTest::qWait(100);
        QVERIFY(!inhibitor.holding());
    }

    FakeScreenSaverService service;
    QVERIFY(serviceSide.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &service,
        QDBusConnection::ExportAllSlots));
    QVERIFY(serviceSide.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
    {
        ScreenSaverInhibitor inhibitor(QStringLiteral("Slide show"), showSide);
        QTRY_VERIFY(inhibitor.holding());
        QCOMPARE(service.held, 1);
        QCOMPARE(service.lastReason, QStringLiteral("Slide show"));
    }
    QTRY_COMPARE(service.held, 0); // let go when the show ends

    QDBusConnection::disconnectFromBus(QStringLiteral("show"));
    QDBusConnection::disconnectFromBus(QStringLiteral("screen-saver"));
    bus.kill();
    bus.waitForFinished();
}

QTEST_MAIN(ScreenSaverTest)
