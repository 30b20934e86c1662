#pragma once
// The command-line tool's Host: message boxes go to stderr as "CAPTION: text", questions take
// the answer of --yes or --no (else their safe default), a beep is a line "Beep", and progress
// texts appear only when stderr is a terminal.

#include "app/AppHost.h"

#include <optional>
#include <string>
#include <vector>

namespace gp::cli {

class CliHost final : public AppHost {
public:
    void setAnswer(std::optional<bool> yes) { m_answer = yes; }
    // Progress texts are left out when stderr is read by a program (--json).
    void setProgressShown(bool shown) { m_progressShown = shown; }

    struct Message {
        std::string caption;
        std::string text;
    };
    // The last message box of the run, which a failed run reports as its error.
    const std::optional<Message>& lastMessage() const { return m_lastMessage; }

    void message(std::string_view caption, std::string_view text, Icon icon) override;
    Answer ask(std::string_view caption, std::string_view text, Buttons buttons, Icon icon) override;
    void beep() override;
    void setWaitCursor(bool) override {}
    void setStatus(StatusPane pane, std::string_view text) override;
    bool escapePressed() override { return false; }
    void setPrintingProgress(std::string_view text) override { setStatus(StatusPane::Message, text); }

private:
    std::optional<bool> m_answer;
    std::optional<Message> m_lastMessage;
    bool m_progressShown = true;
};

} // namespace gp::cli
