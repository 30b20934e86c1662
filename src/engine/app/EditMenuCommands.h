#pragma once
// The Edit menu's Undo and clipboard commands on the active document. Copy keeps the selection's
// rectangle (with the mask) or the whole picture as the program's clipboard copy; Cut copies and
// then paints the selection (or the whole picture) in the active colour; Paste puts the copy (or
// the system clipboard's bitmap) in as a floating selection, converted to the document's form;
// Paste as New opens it as a new document. Each returns 1 when the document changed.

namespace gp {

class App;

int undoLast(App& app);
// Copy alone reports 0 (the document is unchanged); true/false here tells whether a copy was made.
bool copyToClipboard(App& app);
int cutToClipboard(App& app);
int pasteFromClipboard(App& app);
int pasteAsNewDocument(App& app);

// Puts commands 150..154 on the App's dispatcher.
void registerEditMenuCommands(App& app);

} // namespace gp
