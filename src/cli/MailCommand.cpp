// glimmerpress-cli mail FILE: opens FILE as the active photo and runs the Send command on it,
// which hands the file to the mail library and so to the user's mail client.

#include "app/MailCommands.h"
#include "Commands.h"
#include "MapiProtocol.h"
#include "app/OpenPhoto.h"

#include <iostream>

namespace gp::cli {

namespace {

constexpr std::string_view kUsage = "mail FILE";

} // namespace

int runMail(CliContext& context)
{
    const auto& args = context.args;
    if (args.size() == 1 && args[0] == "--help") {
        std::cout << "usage: glimmerpress-cli " << kUsage
                  << "\n\nOpens FILE as a photo and sends it as the Send command does: the mail library hands it\n"
                     "to the user's mail client (through xdg-email) as an attachment.\n";
        return kExitOk;
    }
    if (args.size() != 1 || args[0].starts_with("--"))
        return usageError(kUsage);
    App& app = context.app;
    if (!openPhoto(app, args[0]))
        return kExitFailed;
    const std::optional<unsigned> result = sendActivePhoto(app);
    if (!result)
        return kExitFailed;
    if (*result == SUCCESS_SUCCESS)
        return kExitOk;
    std::cerr << "glimmerpress-cli: the mail library did not send the file ("
              << (*result == MAPI_E_NOT_SUPPORTED ? "no mail client is available" : "result " + std::to_string(*result))
              << ")\n";
    return kExitFailed;
}

} // namespace gp::cli
