#include "mail/MailCommand.h"

#include "MapiProtocol.h"
#include "base/DynamicLibrary.h"
#include "shell/App.h"
#include "shell/CommandIds.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

#include <cstdint>
#include <string>

namespace gp {

namespace {

constexpr std::size_t kMaxNameLength = 260;
// Show the logon interface and open a new session.
constexpr MAPI_FLAGS kLogonFlags = MAPI_LOGON_UI | MAPI_NEW_SESSION;

void warn(App& app, StringId message)
{
    app.host().message(text(StringId::CaptionWarning), text(message), Icon::Warning);
}

} // namespace

std::optional<unsigned> sendActivePhoto(App& app, void* ownerWindow)
{
    Document* active = app.activeDocument();
    if (!active)
        return std::nullopt;
    app.currentName() = active->title().substr(0, kMaxNameLength);
    if (!DocumentList::isUntitled(active->title())) {
        app.documents().confirmClosing(*active, app.host(), [&app] { app.execute(command::Save); });
    } else {
        if (app.execute(command::SaveAs) != command::ResultSaved)
            return std::nullopt;
        // Save As named the photo after the file it wrote.
        active = app.activeDocument();
        if (!active)
            return std::nullopt;
        app.currentName() = active->title().substr(0, kMaxNameLength);
    }

    auto library = DynamicLibrary::open(app.paths().library(text(StringId::MailLibraryName)));
    if (!library) {
        warn(app, StringId::MailLibraryMissing);
        return std::nullopt;
    }
    const std::string logonName(text(StringId::MapiLogonName)), logoffName(text(StringId::MapiLogoffName)),
        sendMailName(text(StringId::MapiSendMailName)), sendDocumentsName(text(StringId::MapiSendDocumentsName));
    const auto logon = library->function<LPMAPILOGON>(logonName.c_str());
    const auto logoff = library->function<LPMAPILOGOFF>(logoffName.c_str());
    const auto sendMail = library->function<LPMAPISENDMAIL>(sendMailName.c_str());
    const auto sendDocuments = library->function<LPMAPISENDDOCUMENTS>(sendDocumentsName.c_str());
    if (!logon || !logoff || !sendMail || !sendDocuments) {
        warn(app, StringId::MailFunctionsMissing);
        return std::nullopt;
    }

    const auto owner = reinterpret_cast<MAPI_ULONG_PTR>(ownerWindow);
    MAPI_LHANDLE session = 0;
    if (logon(owner, nullptr, nullptr, kLogonFlags, 0, &session) != SUCCESS_SUCCESS)
        return std::nullopt;
    char delimiter[] = ";";
    std::string paths = app.currentName();
    const MAPI_ULONG sent = sendDocuments(owner, delimiter, paths.data(), nullptr, 0);
    logoff(session, owner, 0, 0);
    return unsigned(sent);
}

void registerMailCommands(App& app)
{
    app.commands().set(command::SendMail, [&app](std::string_view) {
        sendActivePhoto(app);
        return command::ResultNone;
    });
}

} // namespace gp
