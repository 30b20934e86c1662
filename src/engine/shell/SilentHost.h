#pragma once
// A Host with no user behind it, for work done where no one can be asked: background reads,
// tools and test harnesses. Messages vanish, every question gets the one answer given, and
// Escape is never pressed.

#include "shell/Host.h"

namespace gp {

class SilentHost : public Host {
public:
    explicit SilentHost(Answer answer = Answer::Cancel)
        : m_answer(answer)
    {
    }

    void message(std::string_view, std::string_view, Icon) override { }
    Answer ask(std::string_view, std::string_view, Buttons, Icon) override { return m_answer; }
    void beep() override { }
    void setWaitCursor(bool) override { }
    void setStatus(StatusPane, std::string_view) override { }
    bool escapePressed() override { return false; }

private:
    Answer m_answer;
};

} // namespace gp
