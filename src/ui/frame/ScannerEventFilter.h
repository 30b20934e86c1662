#pragma once
// The scanner's place in the message loop: while a source is open every event of the program
// passes through the acquisition client first, which takes the events that belong to the source
// (its news that images are ready or that it wants to close) and lets all others through.

#include <QObject>

namespace gp {
class Acquisition;
}

namespace gp::ui {

class ScannerEventFilter : public QObject {
public:
    // Installs itself on the application; it is removed again when destroyed.
    explicit ScannerEventFilter(Acquisition& acquisition);
    ~ScannerEventFilter() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Acquisition* m_acquisition;
    // A transfer may open dialogs of its own, whose events come back here meanwhile.
    bool m_busy = false;
};

} // namespace gp::ui
