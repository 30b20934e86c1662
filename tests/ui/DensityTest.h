#pragma once
// The high-density window tests (declared apart from their bodies, which include engine headers that the
// meta-object compiler cannot read).

#include <QObject>

class DensityTest : public QObject {
    Q_OBJECT
private slots:
    void picturesHaveTwiceThePixelsOfTheOneTimesRun();
    void fractionalScalesTakeTheNextSizeUp();
    // The Crop, Edit and Frame Photo screens (in WorkflowDensityTest.cpp).
    void workflowScreensPaintThePhotoAtDevicePixels();
    void workflowScreensFollowTheWindowToAScreenOfAnotherScale();
};
