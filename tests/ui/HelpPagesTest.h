#pragma once
// The help pages' tests (declared apart from their bodies, which include engine headers that the
// meta-object compiler cannot read).

#include <QObject>

class HelpPagesTest : public QObject {
    Q_OBJECT
private slots:
    void everyTopicHasItsOwnPage();
    void linksBetweenPagesResolve();
    void screenPagesNameTheirButtons();
};
