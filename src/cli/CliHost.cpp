#include "CliHost.h"

#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace gp::cli {

void CliHost::message(std::string_view caption, std::string_view text, Icon)
{
    std::cerr << caption << ": " << text << '\n';
    m_lastMessage = Message{std::string(caption), std::string(text)};
}

Answer CliHost::ask(std::string_view caption, std::string_view text, Buttons buttons, Icon)
{
    std::cerr << caption << ": " << text << '\n';
    const bool hasCancel = buttons == Buttons::YesNoCancel || buttons == Buttons::OkCancel || buttons == Buttons::RetryCancel;
    if (m_answer && buttons != Buttons::OkCancel && buttons != Buttons::RetryCancel)
        return *m_answer ? Answer::Yes : Answer::No;
    if (m_answer && *m_answer)
        return buttons == Buttons::RetryCancel ? Answer::Retry : Answer::Ok;
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return hasCancel ? Answer::Cancel : Answer::No;
}

void CliHost::beep() { std::cerr << "Beep\n"; }

void CliHost::setStatus(StatusPane pane, std::string_view text)
{
    if (pane == StatusPane::Message && m_progressShown && isatty(STDERR_FILENO))
        std::cerr << '\r' << text << std::flush;
}

} // namespace gp::cli
