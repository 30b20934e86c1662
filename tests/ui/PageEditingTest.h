#pragma once
// The layout page as a working surface and the template editor, driven with the mouse on the real
// frame (declared apart from their bodies, which include engine headers the meta-object compiler
// cannot read).

#include <QObject>

class PageEditingTest : public QObject {
    Q_OBJECT
private slots:
    void cellMenuFollowsTheCellWhereItOpened();
    void readoutAndBadgeTellAPhotoThatPrintsSoft();
    void freeStyleObjectsMoveResizeAndRestoreOnEscape();
    void freeStyleMenuRotatesNearTheEdgeAndPastesAtThePoint();
    void templateEditorToolsWorkWithTheMouse();
    void leavingTheEditorAsksToSaveChanges();
};
