#pragma once
// A scripted Host for tests: questions take queued answers (else their safe default), and
// messages, questions, beeps and status texts are recorded for assertions.

#include "app/AppHost.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace gp::test {

class FakeHost : public AppHost {
public:
    struct Box {
        std::string caption;
        std::string text;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
    };

    std::vector<Box> messages;
    std::vector<Box> questions;
    std::deque<Answer> answers;   // taken in order by ask()
    int beeps = 0;
    int waitCursorDepth = 0;
    std::vector<std::string> statusTexts;
    int escapeAfterPolls = -1;    // escapePressed() turns true after this many polls; -1 never
    int escapePolls = 0;
    std::deque<FileChoice> openChoices;
    std::deque<FileChoice> saveChoices;
    bool frameEnabled = true;
    int frameDisables = 0;
    // Photo CD options: the dialogs shown and the answers given (nothing = Cancel, the default).
    std::vector<PhotoCdDialog> photoCdDialogs;
    std::deque<std::optional<PhotoCdChoice>> photoCdChoices;
    // Printing: the printer dialog's answers (nothing = cancelled) and where each dialog started,
    // the Printing window's texts, and a Cancel pressed at the given call of processPrintingEvents.
    std::deque<std::optional<PrinterChoice>> printerChoices;
    std::vector<std::optional<PrinterChoice>> printerDialogStarts;
    std::function<void()> duringPrinterDialog;
    std::vector<std::string> printingTexts;
    bool printingWindowOpen = false;
    int cancelPrintAtEvent = -1;
    int printingEventCalls = 0;

    void message(std::string_view caption, std::string_view text, Icon icon) override;
    Answer ask(std::string_view caption, std::string_view text, Buttons buttons, Icon icon) override;
    void beep() override { ++beeps; }
    void setFrameEnabled(bool on) override
    {
        frameDisables += on ? 0 : 1;
        frameEnabled = on;
    }
    void setWaitCursor(bool on) override { waitCursorDepth += on ? 1 : -1; }
    void setStatus(StatusPane pane, std::string_view text) override;
    bool escapePressed() override;
    std::optional<FileChoice> chooseOpenFiles(std::string_view, std::string_view, const std::vector<FileFilter>&, int,
                                              bool) override;
    std::optional<FileChoice> chooseSaveFile(std::string_view, std::string_view, const std::vector<FileFilter>&,
                                             int) override;

    std::optional<PhotoCdChoice> choosePhotoCdOptions(const PhotoCdDialog& dialog) override;
    std::optional<PrinterChoice> choosePrinter(const std::optional<PrinterChoice>& current,
                                               const std::vector<DeviceNames>& printers) override;
    void showPrintingWindow(std::string_view progress) override;
    void setPrintingProgress(std::string_view progress) override { printingTexts.emplace_back(progress); }
    void closePrintingWindow() override { printingWindowOpen = false; }
    bool processPrintingEvents() override { return ++printingEventCalls == cancelPrintAtEvent; }

    // The texts of all messages, for quick assertions.
    std::vector<std::string> messageTexts() const;
};

} // namespace gp::test
