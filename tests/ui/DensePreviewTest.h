#pragma once
// The album grid's thumbnails and the editing dialogs' previews on a high-density screen
// (declared apart from their bodies, which include engine headers that the meta-object compiler
// cannot read).

#include <QObject>

class DensePreviewTest : public QObject {
    Q_OBJECT
private slots:
    void thumbnailsAndPreviewsHaveTwiceThePixelsOfTheOneTimesRun();
    void pagePicturesAverageTheirPhotoAtEveryRatio();
};
