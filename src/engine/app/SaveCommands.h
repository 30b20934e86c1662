#pragma once
// The Save and Save As commands on the active document, and the registration of the file
// commands (Open, Save, Save As) on the dispatcher.

#include <string>

namespace gp {

class App;
class Document;

// Saves a document's image under the current name through the safe save (backup first); true
// when the file was written.
bool saveDocumentWithBackup(App& app, Document& document);

// Save (103): beeps without a document; untitled documents and Photo CD files go to Save As.
// Returns 2 when the document was saved, else 0.
int runSaveCommand(App& app);
// Save As (104): asks the Host for a name and type, remembers the dialog's choices, then saves.
int runSaveAsCommand(App& app);

void registerFileCommands(App& app);

} // namespace gp
