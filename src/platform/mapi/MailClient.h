#pragma once
// Hands a message to the user's mail client through xdg-email, which opens a composition
// window with the recipients, subject, text and attached files filled in.
//
// xdg-email falls back on web browsers when no mail client is configured, and without a
// display it would run a text browser that draws over the terminal and waits for keys. Unless
// the user chose a browser (BROWSER), only graphical ones are tried, and none without a
// display; the standard streams of xdg-email are closed to it.

#include "MapiProtocol.h"

#include <string>
#include <vector>

namespace gp::mapi {

struct MailRequest {
    std::vector<std::string> to;
    std::vector<std::string> cc;
    std::vector<std::string> bcc;
    std::string subject;
    std::string body;
    std::vector<std::string> attachments;
};

// True when xdg-email is found on PATH.
bool mailToolAvailable();

// Composes the message in the user's mail client. SUCCESS_SUCCESS when the client took it;
// MAPI_E_ATTACHMENT_NOT_FOUND or MAPI_E_ATTACHMENT_OPEN_FAILURE for a file that is missing or
// unreadable; MAPI_E_NOT_SUPPORTED when there is no mail client (or no xdg-email);
// MAPI_E_FAILURE when the client failed.
MAPI_ULONG composeMail(const MailRequest& request);

} // namespace gp::mapi
