#pragma once
// The layout screen's tests (declared apart from their bodies, which include engine headers that
// the meta-object compiler cannot read).

#include <QObject>

class LayoutScreenTest : public QObject {
    Q_OBJECT
private slots:
    void pageViewPaintsTheEnginesPage();
    void choosingLayoutsAndCategoriesChangesTheCells();
    void clicksAndDragsActOnCells();
    void layoutListScrollsByRowsAndCaptions();
    void printsThePageWhereTheEngineSays();
    void printerSetupMeasuresTheNewPage();
    void printerDialogChoosesAQueueOrAPdfFile();
    void printingWindowReportsCancel();
    void photoCacheFollowsReplacedPhotos();
    void printDialogShowsAndSetsTheModel();
    void printCommandPrintsThePhotoThroughTheDialog();
};
