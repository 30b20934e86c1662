#pragma once
// What the workflow screens do with the program around them: the photo they work on, opening a
// result as a new document (and so into the page's current cell), and saving a result under a
// name chosen in the Save As dialog.

#include "image/Image.h"
#include "shell/StringTable.h"

#include <memory>
#include <optional>
#include <string>

namespace gp {

class App;
class Document;

// The photo of the page's current cell, or else the active document's picture; nothing when
// there is neither.
std::shared_ptr<const Image> workflowPhoto(App& app);

// The result as a new document titled with the next untitled name of kind (UntitledCropped,
// UntitledEdited, UntitledFramed), placed into the page's current cell.
Document* openWorkflowResult(App& app, Image result, StringId kind);

// Asks for a name, type, Compress and Quality with the Save As dialog and writes the result
// through the codecs with the safe-save rule; the dialog proposes the kind's untitled name. The
// file's name when it was written.
std::optional<std::string> saveWorkflowResult(App& app, const Image& result, StringId kind);

} // namespace gp
