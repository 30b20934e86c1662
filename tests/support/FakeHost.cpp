#include "FakeHost.h"

namespace gp::test {

void FakeHost::message(std::string_view caption, std::string_view text, Icon icon)
{
    messages.push_back({std::string(caption), std::string(text), icon, Buttons::Ok});
}

Answer FakeHost::ask(std::string_view caption, std::string_view text, Buttons buttons, Icon icon)
{
    questions.push_back({std::string(caption), std::string(text), icon, buttons});
    if (!answers.empty()) {
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo: return Answer::No;
    default: return Answer::Cancel;
    }
}

void FakeHost::setStatus(StatusPane pane, std::string_view text)
{
    if (pane == StatusPane::Message)
        statusTexts.emplace_back(text);
}

bool FakeHost::escapePressed()
{
    ++escapePolls;
    return escapeAfterPolls >= 0 && escapePolls > escapeAfterPolls;
}

std::optional<FileChoice> FakeHost::chooseOpenFiles(std::string_view, std::string_view,
                                                    const std::vector<FileFilter>&, int, bool)
{
    if (openChoices.empty())
        return std::nullopt;
    FileChoice c = openChoices.front();
    openChoices.pop_front();
    return c;
}

std::optional<FileChoice> FakeHost::chooseSaveFile(std::string_view, std::string_view,
                                                   const std::vector<FileFilter>&, int)
{
    if (saveChoices.empty())
        return std::nullopt;
    FileChoice c = saveChoices.front();
    saveChoices.pop_front();
    return c;
}

std::optional<PhotoCdChoice> FakeHost::choosePhotoCdOptions(const PhotoCdDialog& dialog)
{
    photoCdDialogs.push_back(dialog);
    if (photoCdChoices.empty())
        return std::nullopt;
    auto choice = photoCdChoices.front();
    photoCdChoices.pop_front();
    return choice;
}

std::optional<PrinterChoice> FakeHost::choosePrinter(const std::optional<PrinterChoice>& current,
                                                     const std::vector<DeviceNames>&)
{
    printerDialogStarts.push_back(current);
    if (duringPrinterDialog)
        duringPrinterDialog();
    if (printerChoices.empty())
        return std::nullopt;
    auto choice = printerChoices.front();
    printerChoices.pop_front();
    return choice;
}

void FakeHost::showPrintingWindow(std::string_view progress)
{
    printingWindowOpen = true;
    printingTexts.emplace_back(progress);
}

std::vector<std::string> FakeHost::messageTexts() const
{
    std::vector<std::string> texts;
    for (const auto& m : messages)
        texts.push_back(m.text);
    return texts;
}

} // namespace gp::test
