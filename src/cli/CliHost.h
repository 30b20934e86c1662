#pragma once
// The command-line tool's Host: message boxes go to stderr as "CAPTION: text", questions take
// the answer of --yes or --no (else their safe default), a beep is a line "Beep", and progress
// texts appear only when stderr is a terminal.

#include "shell/Host.h"

#include <optional>
#include <vector>

namespace gp::cli {

class CliHost final : public Host {
public:
    void setAnswer(std::optional<bool> yes) { m_answer = yes; }

    void message(std::string_view caption, std::string_view text, Icon icon) override;
    Answer ask(std::string_view caption, std::string_view text, Buttons buttons, Icon icon) override;
    void beep() override;
    void setWaitCursor(bool) override {}
    void setStatus(StatusPane pane, std::string_view text) override;
    bool escapePressed() override { return false; }
    void setPrintingProgress(std::string_view text) override { setStatus(StatusPane::Message, text); }

private:
    std::optional<bool> m_answer;
};

} // namespace gp::cli
