#pragma once
// Send (command 119): hands the active photo's file to the user's mail service. A photo with a
// file name is offered for saving first (the file is sent whatever the answer); an untitled
// photo is saved through Save As, and the command ends when nothing was saved.

#include <optional>

namespace gp {

class App;

// The mail library's result of sending (0 success), or nothing when the command ended before
// it sent: no active photo, nothing saved, the library or its functions missing (reported to
// the user), or the logon refused (not reported).
std::optional<unsigned> sendActivePhoto(App& app, void* ownerWindow = nullptr);

void registerMailCommands(App& app);

} // namespace gp
