#include "MailClient.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace gp::mapi {

namespace {

constexpr const char* kTool = "xdg-email";

// xdg-email's exit statuses.
constexpr int kFileMissing = 2;
constexpr int kNoMethod = 3;
constexpr int kNoReadPermission = 5;

bool set(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

std::vector<std::string> childEnvironment()
{
    std::vector<std::string> env;
    for (char** e = environ; e && *e; ++e)
        env.emplace_back(*e);
    if (!set("BROWSER")) {
        const bool display = set("DISPLAY") || set("WAYLAND_DISPLAY");
        env.emplace_back(
            display ? "BROWSER=x-www-browser:firefox:chromium:chromium-browser:epiphany:konqueror" : "BROWSER=false");
    }
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings)
{
    std::vector<char*> result;
    for (std::string& s : strings)
        result.push_back(s.data());
    result.push_back(nullptr);
    return result;
}

// -1 when the tool could not be started.
int run(std::vector<std::string> args)
{
    std::vector<std::string> env = childEnvironment();
    std::vector<char*> argv = pointers(args);
    std::vector<char*> envp = pointers(env);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int fd = 0; fd <= 2; ++fd)
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, kTool, &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

bool mailToolAvailable()
{
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string folder = folders.substr(start, end - start);
        const std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + kTool;
        if (access(candidate.c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

MAPI_ULONG composeMail(const MailRequest& request)
{
    std::vector<std::string> args { kTool, "--utf8" };
    for (const std::string& address : request.cc)
        args.insert(args.end(), { "--cc", address });
    for (const std::string& address : request.bcc)
        args.insert(args.end(), { "--bcc", address });
    if (!request.subject.empty())
        args.insert(args.end(), { "--subject", request.subject });
    if (!request.body.empty())
        args.insert(args.end(), { "--body", request.body });
    for (const std::string& file : request.attachments) {
        std::error_code ec;
        const auto absolute = std::filesystem::absolute(file, ec);
        if (ec || !std::filesystem::is_regular_file(absolute, ec))
            return MAPI_E_ATTACHMENT_NOT_FOUND;
        if (access(absolute.c_str(), R_OK) != 0)
            return MAPI_E_ATTACHMENT_OPEN_FAILURE;
        args.insert(args.end(), { "--attach", absolute.string() });
    }
    for (const std::string& address : request.to) {
        // An address is never read as an option of the tool.
        if (address.empty() || address.front() == '-')
            return MAPI_E_BAD_RECIPTYPE;
        args.push_back(address);
    }
    switch (run(std::move(args))) {
    case 0: return SUCCESS_SUCCESS;
    case -1:
    case kNoMethod: return MAPI_E_NOT_SUPPORTED;
    case kFileMissing: return MAPI_E_ATTACHMENT_NOT_FOUND;
    case kNoReadPermission: return MAPI_E_ATTACHMENT_OPEN_FAILURE;
    default: return MAPI_E_FAILURE;
    }
}

} // namespace gp::mapi
