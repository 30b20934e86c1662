#pragma once
// Runs glimmerpress-cli as a script would: the arguments go through the shell, stdout is captured
// and stderr goes to err. GLIMMER_CLI is the tool's path, set by the test's build rule.

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace gp::test {

struct CliRun {
    int status = -1;
    std::string out;
};

inline CliRun cli(const std::string& arguments, const std::filesystem::path& err = "/dev/null")
{
    const std::string command = std::string(GLIMMER_CLI) + " " + arguments + " 2>" + err.string();
    CliRun run;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer{};
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        run.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace gp::test
