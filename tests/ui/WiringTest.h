#pragma once
// The wiring of every screen's controls (declared apart from their bodies, which include engine
// headers that the meta-object compiler cannot read).

#include <QObject>

class WiringTest : public QObject {
    Q_OBJECT
private slots:
    void everyMenuItemHasAHandlerOrIsDisabled();
    void everyKeyReachesAHandlerOnItsScreens();
    void everyButtonHasAHandlerOrIsDisabled();
};
