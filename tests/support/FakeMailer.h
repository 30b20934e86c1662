#pragma once
// A stand-in for the user's mail client, reached through xdg-email's MAILER variable: a script
// that records the mailto address it is given (and exits with a chosen status). The variables
// it replaces are restored at the end.

#include "ScopedEnv.h"
#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace gp::test {

class FakeMailer {
public:
    explicit FakeMailer(int exitStatus = 0)
        : m_script(m_dir / "mailer")
        , m_capture(m_dir / "mailto.txt")
        , m_mailer("MAILER", m_script.c_str())
        , m_browser("BROWSER", "false")
        , m_display("DISPLAY", nullptr)
    {
        writeFile(m_script,
            "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + m_capture.string() + "'\nexit " + std::to_string(exitStatus)
                + "\n");
        chmod(m_script.c_str(), 0755);
    }

    // The mailto addresses the client was given, in order.
    std::vector<std::string> calls() const
    {
        std::vector<std::string> lines;
        if (!std::filesystem::exists(m_capture))
            return lines;
        std::string all = readFile(m_capture);
        for (std::size_t start = 0, end; (end = all.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(all.substr(start, end - start));
        return lines;
    }

private:
    TempDir m_dir;
    std::filesystem::path m_script;
    std::filesystem::path m_capture;
    ScopedEnv m_mailer;
    ScopedEnv m_browser;
    ScopedEnv m_display;
};

// The environment of a machine without any mail client: no MAILER, no display.
class NoMailClient {
public:
    NoMailClient()
        : m_mailer("MAILER", nullptr)
        , m_browser("BROWSER", nullptr)
        , m_display("DISPLAY", nullptr)
        , m_wayland("WAYLAND_DISPLAY", nullptr)
        , m_desktop("XDG_CURRENT_DESKTOP", nullptr)
    {
    }

private:
    ScopedEnv m_mailer;
    ScopedEnv m_browser;
    ScopedEnv m_display;
    ScopedEnv m_wayland;
    ScopedEnv m_desktop;
};

} // namespace gp::test
