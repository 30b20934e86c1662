#pragma once
// The text screen and the Template dialog in the real widgets: typing into the edit box,
// dragging texts and the page's photo, printing both pages to PDF and reading them back
// (declared apart from their bodies, which include engine headers that the meta-object
// compiler cannot read).

#include <QObject>

class TextScreenTest : public QObject {
    Q_OBJECT
private slots:
    void typingMakesChangesAndLimitsItems();
    void cancelRestoresAndOkStoresTheCellsTexts();
    void draggedTextPrintsWhereItWasPlaced();
    void templateDialogOpensFromTheMenuAndEditsTexts();
    void templatePhotoStaysCentredAndInsideThePreview();
    void calendarForFebruary2000PrintsItsDaysUnderTheirWeekdays();
};
