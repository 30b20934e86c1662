#include "ExternalTools.h"

#include <cstdlib>
#include <string_view>

namespace gp::test {

bool runTool(const std::string& command)
{
    // The tools' complaints say nothing a failed check does not; they only fill the test log.
    return std::system((command + " 2>/dev/null").c_str()) == 0;
}

bool haveTool(const std::string& program)
{
    return runTool("command -v '" + program + "' >/dev/null 2>&1");
}

std::string missingTools(std::initializer_list<const char*> programs)
{
    std::string missing;
    for (const char* program : programs)
        if (!haveTool(program))
            missing += (missing.empty() ? "" : " ") + std::string(program);
    return missing;
}

bool underCi()
{
    const char* ci = std::getenv("CI");
    return ci && std::string_view(ci) == "true";
}

} // namespace gp::test
