#pragma once
// The --json form of the tool's diagnostics. While a command runs, everything it writes to
// stderr is held back; afterwards a failed run reports one JSON object, {"error":..., "status":N},
// with the message box's caption when the failure came from one and every other stderr line in
// "log", so a script can tell a refused file (status 1) from a usage error (status 2). A
// successful run reports its stderr lines as {"message":...} objects.

#include <iosfwd>
#include <sstream>
#include <string>
#include <vector>

namespace gp::cli {

class CliHost;

class StderrCapture {
public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    // The lines written so far, without their line ends; a carriage return starts a new line.
    std::vector<std::string> lines() const;

private:
    std::ostringstream m_buffer;
    std::streambuf* m_previous;
};

// The JSON lines that stand for the captured stderr of a run that ended with `status`.
std::string jsonDiagnostics(int status, const std::vector<std::string>& lines, const CliHost& host);

} // namespace gp::cli
