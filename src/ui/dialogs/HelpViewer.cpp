#include "dialogs/HelpViewer.h"

#include "shell/StringTable.h"

#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace gp::ui {

HelpViewer::HelpViewer(QWidget* parent)
    : QDialog(parent)
    , m_browser(new QTextBrowser(this))
{
    setWindowTitle(QString::fromUtf8(text(StringId::HelpCaption).data()));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(520, 420);
}

HelpViewer* HelpViewer::show(QWidget* parent, const QString& helpDir, const QString& topic)
{
    static QPointer<HelpViewer> viewer;
    if (!viewer)
        viewer = new HelpViewer(parent);
    QString page = helpDir + QLatin1Char('/') + topic + QStringLiteral(".html");
    if (!QFileInfo::exists(page))
        page = helpDir + QStringLiteral("/index.html");
    viewer->m_browser->setSearchPaths({ helpDir });
    viewer->m_browser->setSource(QUrl::fromLocalFile(page));
    viewer->QDialog::show();
    viewer->raise();
    return viewer;
}

QString HelpViewer::source() const
{
    return m_browser->source().toLocalFile();
}

} // namespace gp::ui
