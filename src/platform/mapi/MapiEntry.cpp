// The four exported functions of the mail library. Sessions are numbers handed out by logon and
// taken back by logoff; sending needs no more than a valid session (or none at all).

#include "MailClient.h"
#include "MapiProtocol.h"

#include <cstring>
#include <mutex>
#include <set>
#include <strings.h>

#define GLIMMER_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// The most files or recipients one message may carry.
constexpr MAPI_ULONG kMaxItems = 1024;

struct Sessions {
    std::mutex mutex;
    std::set<MAPI_LHANDLE> open;
    MAPI_LHANDLE next = 1;
};

Sessions& sessions()
{
    static Sessions instance;
    return instance;
}

bool validSession(MAPI_LHANDLE session)
{
    std::lock_guard lock(sessions().mutex);
    return sessions().open.count(session) != 0;
}

std::string text(const char* s)
{
    return s ? std::string(s) : std::string();
}

// "SMTP:someone@example.org" and "someone@example.org" name the same address.
std::string addressOf(const MapiRecipDesc& recipient)
{
    std::string address = text(recipient.lpszAddress);
    if (address.size() > 5 && strncasecmp(address.c_str(), "SMTP:", 5) == 0)
        address.erase(0, 5);
    return address.empty() ? text(recipient.lpszName) : address;
}

} // namespace

GLIMMER_EXPORT MAPI_ULONG MAPILogon(MAPI_ULONG_PTR, char*, char*, MAPI_FLAGS, MAPI_ULONG, MAPI_LHANDLE* lplhSession)
{
    if (!lplhSession)
        return MAPI_E_FAILURE;
    *lplhSession = 0;
    // Without the tool that reaches the user's mail client there is nothing to log on to.
    if (!gp::mapi::mailToolAvailable())
        return MAPI_E_LOGIN_FAILURE;
    std::lock_guard lock(sessions().mutex);
    const MAPI_LHANDLE session = sessions().next++;
    sessions().open.insert(session);
    *lplhSession = session;
    return SUCCESS_SUCCESS;
}

GLIMMER_EXPORT MAPI_ULONG MAPILogoff(MAPI_LHANDLE lhSession, MAPI_ULONG_PTR, MAPI_FLAGS, MAPI_ULONG)
{
    std::lock_guard lock(sessions().mutex);
    return sessions().open.erase(lhSession) ? SUCCESS_SUCCESS : MAPI_E_INVALID_SESSION;
}

GLIMMER_EXPORT MAPI_ULONG MAPISendMail(
    MAPI_LHANDLE lhSession, MAPI_ULONG_PTR, MapiMessage* lpMessage, MAPI_FLAGS, MAPI_ULONG)
{
    if (lhSession != 0 && !validSession(lhSession))
        return MAPI_E_INVALID_SESSION;
    if (!lpMessage || lpMessage->nRecipCount > kMaxItems || lpMessage->nFileCount > kMaxItems
        || (lpMessage->nRecipCount && !lpMessage->lpRecips) || (lpMessage->nFileCount && !lpMessage->lpFiles))
        return MAPI_E_INVALID_MESSAGE;
    gp::mapi::MailRequest request;
    request.subject = text(lpMessage->lpszSubject);
    request.body = text(lpMessage->lpszNoteText);
    for (MAPI_ULONG i = 0; i < lpMessage->nRecipCount; ++i) {
        const MapiRecipDesc& recipient = lpMessage->lpRecips[i];
        const std::string address = addressOf(recipient);
        switch (recipient.ulRecipClass) {
        case MAPI_TO: request.to.push_back(address); break;
        case MAPI_CC: request.cc.push_back(address); break;
        case MAPI_BCC: request.bcc.push_back(address); break;
        default: return MAPI_E_BAD_RECIPTYPE;
        }
    }
    for (MAPI_ULONG i = 0; i < lpMessage->nFileCount; ++i) {
        if (!lpMessage->lpFiles[i].lpszPathName)
            return MAPI_E_ATTACHMENT_NOT_FOUND;
        request.attachments.emplace_back(lpMessage->lpFiles[i].lpszPathName);
    }
    return gp::mapi::composeMail(request);
}

GLIMMER_EXPORT MAPI_ULONG MAPISendDocuments(MAPI_ULONG_PTR, char* lpszDelimChar, char* lpszFilePaths, char*, MAPI_ULONG)
{
    // The file names shown to the recipient come from the paths themselves.
    if (!lpszDelimChar || !*lpszDelimChar || !lpszFilePaths || !*lpszFilePaths)
        return MAPI_E_ATTACHMENT_NOT_FOUND;
    const char delimiter = *lpszDelimChar;
    gp::mapi::MailRequest request;
    const std::string paths = lpszFilePaths;
    std::size_t start = 0;
    while (start <= paths.size()) {
        const std::size_t end = std::min(paths.find(delimiter, start), paths.size());
        if (end > start)
            request.attachments.push_back(paths.substr(start, end - start));
        start = end + 1;
    }
    if (request.attachments.empty())
        return MAPI_E_ATTACHMENT_NOT_FOUND;
    if (request.attachments.size() > kMaxItems)
        return MAPI_E_TOO_MANY_FILES;
    return gp::mapi::composeMail(request);
}
