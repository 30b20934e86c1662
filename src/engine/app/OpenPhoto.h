#pragma once
// The Open command: the file chooser, then the engine's steps for a chosen name: the question
// when the file is already open, the extension check, the read through the format dispatch with
// its not-found warning, the threefold memory headroom, the new document (widened to 24 bit),
// the recent-files entry and the "Untitled-Duplicated" title of a second copy.

#include <string>

namespace gp {

class App;
class Document;

// Opens a named photo as a new active document; null when it was refused, not read or dropped
// (the reason has been shown).
Document* openPhoto(App& app, const std::string& path);

// The Open command (101): with a name as argument it opens that file, else it asks the Host for
// one. Returns 0; opening a file changes no existing document.
int runOpenCommand(App& app, std::string_view argument);

// A name with no extension (no "." within its last four characters after any ":", "/" or "\").
bool lacksExtension(std::string_view name);

} // namespace gp
