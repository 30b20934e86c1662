#include "mail/MailSend.h"

#include "MapiProtocol.h"
#include "base/DynamicLibrary.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

#include <cstdint>

namespace gp {

namespace {

// Show the logon interface and open a new session.
constexpr MAPI_FLAGS kLogonFlags = MAPI_LOGON_UI | MAPI_NEW_SESSION;

void warn(Host& host, StringId message)
{
    host.message(text(StringId::CaptionWarning), text(message), Icon::Warning);
}

} // namespace

std::optional<unsigned> sendFilesByMail(
    Host& host, const std::filesystem::path& library, std::string paths, void* ownerWindow)
{
    auto mailLibrary = DynamicLibrary::open(library);
    if (!mailLibrary) {
        warn(host, StringId::MailLibraryMissing);
        return std::nullopt;
    }
    const std::string logonName(text(StringId::MapiLogonName)), logoffName(text(StringId::MapiLogoffName)),
        sendMailName(text(StringId::MapiSendMailName)), sendDocumentsName(text(StringId::MapiSendDocumentsName));
    const auto logon = mailLibrary->function<LPMAPILOGON>(logonName.c_str());
    const auto logoff = mailLibrary->function<LPMAPILOGOFF>(logoffName.c_str());
    const auto sendMail = mailLibrary->function<LPMAPISENDMAIL>(sendMailName.c_str());
    const auto sendDocuments = mailLibrary->function<LPMAPISENDDOCUMENTS>(sendDocumentsName.c_str());
    if (!logon || !logoff || !sendMail || !sendDocuments) {
        warn(host, StringId::MailFunctionsMissing);
        return std::nullopt;
    }

    const auto owner = reinterpret_cast<MAPI_ULONG_PTR>(ownerWindow);
    MAPI_LHANDLE session = 0;
    if (logon(owner, nullptr, nullptr, kLogonFlags, 0, &session) != SUCCESS_SUCCESS)
        return std::nullopt;
    char delimiter[] = ";";
    const MAPI_ULONG sent = sendDocuments(owner, delimiter, paths.data(), nullptr, 0);
    logoff(session, owner, 0, 0);
    return unsigned(sent);
}

} // namespace gp
