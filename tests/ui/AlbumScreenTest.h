#pragma once
// The Get Photos screen driven through the real main frame (declared apart from their bodies,
// which include engine headers that the meta-object compiler cannot read).

#include <QObject>

class AlbumScreenTest : public QObject {
    Q_OBJECT
private slots:
    void scrollRangeSelectionAndDragOnTheGrid();
    void lowColourScreensPaintThumbnailsInTheirColours();
    void aChangedSelectionPlaysTheShutterSound();
    void clipboardDropsAndProperties();
    void closingSavesAndEmptyAlbumsDisappear();
    void printThumbnailsMakesAPdfWithTheThumbnails();
    void slideShowStartsAndEscapeEndsIt();
    void scannedPhotosLandInTheOpenAlbum();
    void escapeStopsALongAddOfThumbnails();
    void aScanFromTheTestScannerLandsInTheOpenAlbum();
    void stripReportsClicksAndRemembersItsPhoto();
};
