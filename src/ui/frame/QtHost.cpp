#include "QtHost.h"

#include "dialogs/PrinterDialog.h"
#include "dialogs/PrintingWindow.h"
#include "dialogs/SaveAsControls.h"

#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>

namespace gp::ui {

namespace {

QMessageBox::Icon toQt(Icon icon)
{
    switch (icon) {
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Information: return QMessageBox::Information;
    case Icon::Stop: return QMessageBox::Critical;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QString toQt(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

void QtHost::message(std::string_view caption, std::string_view text, Icon icon)
{
    QMessageBox box(toQt(icon), toQt(caption), toQt(text), QMessageBox::Ok, m_window);
    box.exec();
}

Answer QtHost::ask(std::string_view caption, std::string_view text, Buttons buttons, Icon icon)
{
    QMessageBox::StandardButtons set;
    switch (buttons) {
    case Buttons::Ok: set = QMessageBox::Ok; break;
    case Buttons::OkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; break;
    case Buttons::YesNo: set = QMessageBox::Yes | QMessageBox::No; break;
    case Buttons::YesNoCancel: set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    case Buttons::RetryCancel: set = QMessageBox::Retry | QMessageBox::Cancel; break;
    }
    QMessageBox box(toQt(icon), toQt(caption), toQt(text), set, m_window);
    switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Retry: return Answer::Retry;
    default: return Answer::Cancel;
    }
}

void QtHost::beep()
{
    QApplication::beep();
}

void QtHost::setWaitCursor(bool on)
{
    if (on && m_waitDepth++ == 0)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else if (!on && m_waitDepth > 0 && --m_waitDepth == 0)
        QGuiApplication::restoreOverrideCursor();
}

void QtHost::setStatus(StatusPane pane, std::string_view text)
{
    if (statusSink)
        statusSink(pane, text);
}

QtHost::QtHost()
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool QtHost::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && !key->isAutoRepeat())
            m_escapeDown = event->type() == QEvent::KeyPress;
    }
    return QObject::eventFilter(watched, event);
}

bool QtHost::escapePressed()
{
    // Long operations run on the interface thread; let pending key events arrive between rows.
    QCoreApplication::processEvents();
    return m_escapeDown;
}

namespace {

QString filterText(const std::vector<FileFilter>& filters)
{
    QStringList list;
    for (const FileFilter& filter : filters) {
        QString patterns = QString::fromStdString(filter.patterns);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        QString description = QString::fromStdString(filter.description);
        // The pattern list in brackets is what Qt filters by.
        if (!description.contains(QLatin1Char('(')))
            description += QStringLiteral(" (") + patterns + QLatin1Char(')');
        list.append(description);
    }
    return list.join(QStringLiteral(";;"));
}

} // namespace

std::optional<FileChoice> QtHost::chooseOpenFiles(std::string_view title, std::string_view directory,
    const std::vector<FileFilter>& filters, int filterIndex, bool multiple)
{
    QFileDialog dialog(m_window, toQt(title), toQt(directory), filterText(filters));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    const QStringList names = dialog.nameFilters();
    if (filterIndex >= 0 && filterIndex < names.size())
        dialog.selectNameFilter(names[filterIndex]);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    FileChoice choice;
    for (const QString& file : dialog.selectedFiles())
        choice.paths.push_back(file.toStdString());
    choice.filterIndex = int(names.indexOf(dialog.selectedNameFilter()));
    return choice;
}

std::optional<FileChoice> QtHost::chooseSaveFile(
    std::string_view title, std::string_view proposedPath, const std::vector<FileFilter>& filters, int filterIndex)
{
    QFileDialog dialog(m_window, toQt(title), toQt(proposedPath), filterText(filters));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList names = dialog.nameFilters();
    if (filterIndex >= 0 && filterIndex < names.size())
        dialog.selectNameFilter(names[filterIndex]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    FileChoice choice;
    choice.paths.push_back(dialog.selectedFiles().first().toStdString());
    choice.filterIndex = int(names.indexOf(dialog.selectedNameFilter()));
    return choice;
}

std::optional<FileChoice> QtHost::chooseSaveFileWithOptions(std::string_view title, std::string_view proposedPath,
    const std::vector<FileFilter>& filters, int filterIndex, bool compress, int quality)
{
    QFileDialog dialog(m_window, toQt(title), toQt(proposedPath), filterText(filters));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList names = dialog.nameFilters();
    if (filterIndex >= 0 && filterIndex < names.size())
        dialog.selectNameFilter(names[filterIndex]);
    // The extra controls follow the type chosen, so they are made after the filter is selected.
    SaveAsControls controls(dialog, compress, quality);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    FileChoice choice;
    choice.paths.push_back(dialog.selectedFiles().first().toStdString());
    choice.filterIndex = int(names.indexOf(dialog.selectedNameFilter()));
    if (controls.showsCompress())
        choice.compress = controls.compress();
    if (controls.showsQuality())
        choice.quality = controls.quality();
    return choice;
}

void QtHost::redrawPage()
{
    if (pageSink)
        pageSink();
}

void QtHost::repaintDocument(const Document&, std::optional<Rect>)
{
    redrawPage();
}

void QtHost::offerClipboardBitmap(std::function<std::optional<Image>()> render, std::function<void()> lost)
{
    m_clipboard.offer(std::move(render), std::move(lost));
}

std::optional<Image> QtHost::systemClipboardBitmap()
{
    return m_clipboard.bitmap();
}

std::optional<PrinterChoice> QtHost::choosePrinter(
    const std::optional<PrinterChoice>& current, const std::vector<DeviceNames>& printers)
{
    return PrinterDialog::choose(m_window, current, printers);
}

void QtHost::showPrintingWindow(std::string_view progress)
{
    delete m_printing;
    m_printing = new PrintingWindow(m_window, toQt(progress));
    m_printing->show();
}

void QtHost::setPrintingProgress(std::string_view progress)
{
    if (m_printing)
        m_printing->setProgress(toQt(progress));
}

void QtHost::closePrintingWindow()
{
    // A window the user closed stays until here, so its Cancel is not lost.
    if (m_printing) {
        m_printing->hide();
        m_printing->deleteLater();
    }
}

bool QtHost::processPrintingEvents()
{
    return m_printing && m_printing->processEvents();
}

} // namespace gp::ui
