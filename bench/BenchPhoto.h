#pragma once
// The benchmarks' test photo: a 6000 × 4000 24-bit picture with smooth colour gradients and a
// little noise, like a camera's, made in memory so every run measures the same pixels. Also a
// Host that shows nothing.

#include "image/Image.h"
#include "shell/Host.h"

namespace gp::bench {

inline constexpr int kPhotoWidth = 6000;
inline constexpr int kPhotoHeight = 4000;

const Image& photo();

class SilentHost final : public Host {
public:
    void message(std::string_view, std::string_view, Icon) override { }
    Answer ask(std::string_view, std::string_view, Buttons, Icon) override { return Answer::No; }
    void beep() override { }
    void setWaitCursor(bool) override { }
    void setStatus(StatusPane, std::string_view) override { }
    bool escapePressed() override { return false; }
};

} // namespace gp::bench
