#pragma once
// The main frame's tests (declared apart from their bodies, which include engine headers that
// the meta-object compiler cannot read).

#include <QObject>

class FrameTest : public QObject {
    Q_OBJECT
private slots:
    void chooses640ModeOnSmallScreens();
    void timerEnablesByThePhotoList();
    void gatedCommandsBeepOrStaySilent();
    void copiesCounterBeepsAtItsEnds();
    void escapeReturnsToTheLayoutPage();
    void statusBarTogglesAndShowsProgress();
    void missingSettingsFileWarnsAndWritesNothing();
    void shutDownWritesTheRecentFiles();
    void fullScreenViewZoomsWithClicks();
    void clipboardRendersOnlyWhenAsked();
    void commandMenuReachesEveryCommand();
};
