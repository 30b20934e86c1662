#include "shell/CommandLine.h"

#include <cctype>

namespace gp {

namespace {

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

} // namespace

std::vector<std::string> splitCommandLine(std::string_view line)
{
    std::vector<std::string> names;
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    if (i == line.size())
        return names;
    // Options, each with the blanks after it.
    while (i < line.size() && (line[i] == '-' || line[i] == '/')) {
        while (i < line.size() && !isBlank(line[i]))
            ++i;
        while (i < line.size() && isBlank(line[i]))
            ++i;
    }
    std::size_t start = i;
    for (; i < line.size(); ++i) {
        const std::size_t length = i - start;
        if (isBlank(line[i]) && length > 3 && line[i - 4] == '.') {
            names.emplace_back(line.substr(start, length));
            while (i + 1 < line.size() && isBlank(line[i + 1]))
                ++i;
            start = i + 1;
        }
    }
    if (start < line.size() || names.empty())
        names.emplace_back(line.substr(std::min(start, line.size())));
    return names;
}

} // namespace gp
