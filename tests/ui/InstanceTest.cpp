// One program per user: a second start of the real program hands its command line to the
// running one and ends; the name is free again once the program has ended.

#include "frame/SingleInstance.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>

using namespace gp::ui;

namespace {

QString uniqueName()
{
    return QStringLiteral("glimmer-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

} // namespace

class InstanceTest : public QObject {
    Q_OBJECT
private slots:
    void secondStartHandsOverAndEnds()
    {
        const QString name = uniqueName();
        SingleInstance first;
        QVERIFY(first.listen(name));
        QSignalSpy received(&first, &SingleInstance::argumentsReceived);

        QProcess second;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("GLIMMERPRESS_INSTANCE_NAME"), name);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        second.setProcessEnvironment(environment);
        second.start(QStringLiteral(GLIMMER_PROGRAM),
            { QStringLiteral("-quiet"), QStringLiteral("/tmp/holiday one.jpg"), QStringLiteral("/tmp/b.bmp") });
        QVERIFY(second.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, 20000);
        QCOMPARE(received.first().first().toStringList(),
            (QStringList {
                QStringLiteral("-quiet"), QStringLiteral("/tmp/holiday one.jpg"), QStringLiteral("/tmp/b.bmp") }));
        // It may already have ended while the hand-over was awaited.
        QVERIFY(second.state() == QProcess::NotRunning || second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
    }

    void handOverFailsWithoutARunningProgram()
    {
        QVERIFY(!SingleInstance::handOver(uniqueName(), { QStringLiteral("a.bmp") }, 200));
    }

    void nameIsFreeAgainWhenTheProgramEnds()
    {
        const QString name = uniqueName();
        {
            SingleInstance gone;
            QVERIFY(gone.listen(name));
        }
        SingleInstance next;
        QVERIFY(next.listen(name));
    }

    void aLiveServerIsNotTakenOver()
    {
        const QString name = uniqueName();
        SingleInstance first;
        QVERIFY(first.listen(name));
        SingleInstance second;
        QVERIFY(!second.listen(name));
    }
};

QTEST_MAIN(InstanceTest)
#include "InstanceTest.moc"
