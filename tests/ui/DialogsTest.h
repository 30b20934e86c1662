#pragma once
// The editing dialogs, the Photo CD options, the scanner's place in the message loop, the F1
// key and the buttons' hints (declared apart from their bodies, which include engine headers that the meta-object
// compiler cannot read).

#include <QObject>

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void rotateDialogTurnsTheDocument();
    void rotateDialogRefusesANonNumber();
    void imageSizeKeepsProportionsAndMakesANewDocument();
    void imageSizeChangesOnlyTheResolutionWhenAsked();
    void imageSizeBeepsAtUnchangedOrBadValues();
    void photoCdOptionsPresetAndAnswer();
    void brightnessContrastPreviewsAndApplies();
    void grayscaleOffersOnlyTheGrayChannel();
    void hueSaturationTurnsRedIntoGreen();
    void toneAutoClipsTheUnusedLevels();
    void blurDialogKeepsItsIntensity();
    void effectBrowserAppliesTheChosenEffect();
    void panModeCropsAndFollowsTheMouse();
    void scannerImagesArriveThroughTheMessageLoop();
    void f1InADialogOpensTheScreensHelp();
    void buttonHintsFollowTheMouse();
};
