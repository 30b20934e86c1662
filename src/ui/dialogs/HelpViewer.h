#pragma once
// Help topics: HTML pages in the program's help folder, one per screen ("screen0.html") plus the
// index and the readme, shown in one viewer window that stays open beside the frame.

#include <QDialog>

class QTextBrowser;

namespace gp::ui {

class HelpViewer : public QDialog {
    Q_OBJECT
public:
    // Shows topic (a page name without ".html"), or the index when the topic has no page.
    static HelpViewer* show(QWidget* parent, const QString& helpDir, const QString& topic);
    QString source() const;

private:
    explicit HelpViewer(QWidget* parent);
    QTextBrowser* m_browser;
};

} // namespace gp::ui
