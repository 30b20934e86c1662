#pragma once

#include <QObject>

// The screen-saver service of a desktop, as the slide show sees it over a private message bus:
// it counts the hold-offs granted and not yet let go.
class FakeScreenSaverService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    int held = 0;
    int granted = 0;

public slots:
    uint Inhibit(const QString& application, const QString& reason)
    {
        lastApplication = application;
        lastReason = reason;
        ++held;
        return uint(++granted + 40);
    }
    void UnInhibit(uint cookie)
    {
        if (cookie > 40 && cookie <= uint(granted + 40))
            --held;
    }

public:
    QString lastApplication;
    QString lastReason;
};

class ScreenSaverTest : public QObject {
    Q_OBJECT
private slots:
    void theShowHoldsTheScreenSaverOffWhileItRuns();
};
