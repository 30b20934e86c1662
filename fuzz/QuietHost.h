#pragma once
// A Host for the fuzz targets: no user, so messages vanish, questions take their safe default
// and Escape is never pressed.

#include "shell/Host.h"

namespace gp::fuzz {

class QuietHost final : public Host {
public:
    void message(std::string_view, std::string_view, Icon) override { }
    Answer ask(std::string_view, std::string_view, Buttons, Icon) override { return Answer::No; }
    void beep() override { }
    void setWaitCursor(bool) override { }
    void setStatus(StatusPane, std::string_view) override { }
    bool escapePressed() override { return false; }
};

} // namespace gp::fuzz
