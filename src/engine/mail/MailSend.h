#pragma once
// Hands files to the user's mail service through the mail library, which is loaded for this one
// call and released afterwards: logon (with the service's own interface, in a new session),
// send the documents, logoff.

#include <filesystem>
#include <optional>
#include <string>

namespace gp {

class Host;

// The mail library's result of sending (0 success), or nothing when the library or one of its
// functions is missing (a warning on the host says which) or the logon was refused (not
// reported). paths holds the file names separated by ";".
std::optional<unsigned> sendFilesByMail(
    Host& host, const std::filesystem::path& library, std::string paths, void* ownerWindow);

} // namespace gp
