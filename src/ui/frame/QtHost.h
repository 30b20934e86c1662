#pragma once
// The window program's Host: message boxes, questions, the beep, the wait cursor and the
// status-bar texts, on Qt Widgets.

#include "frame/SystemClipboard.h"
#include "image/Allocator.h"
#include "app/AppHost.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace gp::ui {

class PrintingWindow;

class QtHost final : public QObject, public AppHost {
public:
    // Watches the application's key events so long operations can ask for Escape.
    QtHost();

    void setWindow(QWidget* window) { m_window = window; }
    // Where status texts go (the frame's status panes once they exist).
    std::function<void(StatusPane, std::string_view)> statusSink;

    void message(std::string_view caption, std::string_view text, Icon icon) override;
    Answer ask(std::string_view caption, std::string_view text, Buttons buttons, Icon icon) override;
    void beep() override;
    void setWaitCursor(bool on) override;
    void setStatus(StatusPane pane, std::string_view text) override;
    bool escapePressed() override;
    std::optional<FileChoice> chooseOpenFiles(std::string_view title, std::string_view directory,
        const std::vector<FileFilter>& filters, int filterIndex, bool multiple) override;
    std::optional<FileChoice> chooseSaveFile(std::string_view title, std::string_view proposedPath,
        const std::vector<FileFilter>& filters, int filterIndex) override;
    std::optional<FileChoice> chooseSaveFileWithOptions(std::string_view title, std::string_view proposedPath,
        const std::vector<FileFilter>& filters, int filterIndex, bool compress, int quality) override;
    // Redraws the page view (set by the frame).
    std::function<void()> pageSink;
    void redrawPage() override;
    void repaintDocument(const Document& document, std::optional<Rect> area) override;
    // The system clipboard: the offered bitmap is made only when another program asks for it.
    void offerClipboardBitmap(std::function<std::optional<Image>()> render, std::function<void()> lost) override;
    std::optional<Image> systemClipboardBitmap() override;
    // Printer Setup and the Printing window of a print job.
    std::optional<PrinterChoice> choosePrinter(
        const std::optional<PrinterChoice>& current, const std::vector<DeviceNames>& printers) override;
    void showPrintingWindow(std::string_view progress) override;
    void setPrintingProgress(std::string_view progress) override;
    void closePrintingWindow() override;
    bool processPrintingEvents() override;

    // The editing dialogs and the Photo CD options (QtHostDialogs.cpp).
    std::optional<PhotoCdChoice> choosePhotoCdOptions(const PhotoCdDialog& dialog) override;
    bool runRotateDialog(RotateDialogModel& model) override;
    bool runImageSizeDialog(ImageSizeModel& model) override;
    bool runBrightnessContrastDialog(
        BrightnessContrastModel& model, const Image& source, const PreviewCompute& preview) override;
    bool runHueSaturationDialog(HueSaturationModel& model, const Image& source, const PreviewCompute& preview) override;
    bool runToneDialog(ToneModel& model, const Image& source, const PreviewCompute& preview) override;
    bool runFilterDialog(FilterDialogModel& model, const Image& source, const PreviewCompute& preview) override;
    bool runEffectBrowser(FilterDialogModel& model, const Image& source, const PreviewCompute& preview) override;
    // While a scanner's dialog is up the frame takes no input; the dialogs the frame owns as
    // windows (the scanner's among them) stay usable.
    void setFrameEnabled(bool enabled) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window = nullptr;
    bool m_escapeDown = false;
    int m_waitDepth = 0;
    SystemClipboard m_clipboard;
    // The previews' samples: out of memory is reported like any other allocation.
    Allocator m_previewAllocator { *this };
    QPointer<PrintingWindow> m_printing;
};

} // namespace gp::ui
