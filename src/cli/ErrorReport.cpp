#include "ErrorReport.h"

#include "CliHost.h"
#include "Json.h"

#include <iostream>

namespace gp::cli {

StderrCapture::StderrCapture()
    : m_previous(std::cerr.rdbuf(m_buffer.rdbuf()))
{
}

StderrCapture::~StderrCapture() { std::cerr.rdbuf(m_previous); }

std::vector<std::string> StderrCapture::lines() const
{
    std::vector<std::string> result;
    std::string line;
    for (const char c : m_buffer.str()) {
        if (c == '\n' || c == '\r') {
            if (!line.empty())
                result.push_back(std::move(line));
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty())
        result.push_back(std::move(line));
    return result;
}

std::string jsonDiagnostics(int status, const std::vector<std::string>& lines, const CliHost& host)
{
    std::string json;
    if (status == 0) {
        for (const std::string& line : lines)
            json += JsonLine().add("message", line).str() + '\n';
        return json;
    }
    // The error is the usage line of a usage error, else the last message box, else the last line
    // the command wrote.
    std::string error = lines.empty() ? std::string("failed") : lines.back();
    const std::string* caption = nullptr;
    if (status == 2) {
        for (const std::string& line : lines)
            if (line.starts_with("usage: ")) {
                error = line;
                break;
            }
    } else if (host.lastMessage()) {
        error = host.lastMessage()->text;
        caption = &host.lastMessage()->caption;
    }
    std::string log = "[";
    for (const std::string& line : lines)
        log += (log.size() > 1 ? ", " : "") + JsonLine::quote(line);
    log += "]";
    JsonLine line;
    line.add("error", error);
    if (caption)
        line.add("caption", *caption);
    line.add("status", status).addRaw("log", log);
    return line.str() + '\n';
}

} // namespace gp::cli
