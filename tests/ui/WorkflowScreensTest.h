#pragma once
// The Crop, Edit and Frame Photo screens driven through the real main frame (declared apart from
// their bodies, which include engine headers that the meta-object compiler cannot read).

#include <QObject>

class WorkflowScreensTest : public QObject {
    Q_OBJECT
private slots:
    void cropDraggedEdgeGivesTheBluePart();
    void effectFromTheListBecomesANewDocument();
    void frameChosenAndPlacedBecomesANewDocument();
    void saveAsShowsCompressOrQualityByType();
    void cropStripPhotoBecomesTheCroppedPhoto();
    void editStripPhotoTakesTheChosenEffect();
    void effectListShowsEachEffectOnThePhoto();
    void frameAlbumIsMadeOnceAndNextFrameWalksIt();
};
