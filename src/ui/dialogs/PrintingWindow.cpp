#include "dialogs/PrintingWindow.h"

#include "shell/StringTable.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace gp::ui {

namespace {

QString qtext(StringId id)
{
    return QString::fromUtf8(text(id).data(), qsizetype(text(id).size()));
}

} // namespace

PrintingWindow::PrintingWindow(QWidget* parent, const QString& progress)
    : QDialog(parent)
    , m_progress(new QLabel(progress, this))
    , m_cancel(new QPushButton(qtext(StringId::CancelButton), this))
{
    setWindowTitle(qtext(StringId::PrintingTitle));
    setModal(false);
    m_progress->setMinimumWidth(180);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_progress);
    layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_cancelled = true; });
    // Closing the window counts as Cancel, as any command of it does.
    connect(this, &QDialog::rejected, this, [this] { m_cancelled = true; });
}

void PrintingWindow::setProgress(const QString& progress)
{
    m_progress->setText(progress);
}

QString PrintingWindow::progress() const
{
    return m_progress->text();
}

bool PrintingWindow::processEvents()
{
    QCoreApplication::processEvents();
    return m_cancelled;
}

} // namespace gp::ui
