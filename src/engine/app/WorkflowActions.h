#pragma once
// What the workflow screens do with the program around them: the photo they work on, opening a
// result as a new document (and so into the page's current cell), and saving a result under a
// name chosen in the Save As dialog; the photos the strips load; and an effect of the effects
// library applied to the active document, as the command-line tool's edit does.

#include "image/Image.h"
#include "shell/StringTable.h"

#include <memory>
#include <optional>
#include <string>

namespace gp {

class App;
class Document;
class EffectsLibrary;

// The photo of the page's current cell, or else the active document's picture; nothing when
// there is neither.
std::shared_ptr<const Image> workflowPhoto(App& app);

// The file the photo was opened from: the title of the document that shows it, when that names
// an existing file (not an untitled result). Nothing otherwise.
std::optional<std::string> workflowPhotoFile(App& app, const Image* photo);

// A photo file from a strip, read through the program's file reader and widened to 24 bits, to
// work on in place of the page's photo. Null when it cannot be read (the reader has shown its
// message, if it has one) or memory runs out.
std::shared_ptr<const Image> readWorkflowPhoto(App& app, const std::string& path);

// The result as a new document titled with the next untitled name of kind (UntitledCropped,
// UntitledEdited, UntitledFramed), placed into the page's current cell.
Document* openWorkflowResult(App& app, Image result, StringId kind);

// Asks for a name, type, Compress and Quality with the Save As dialog and writes the result
// through the codecs with the safe-save rule; the dialog proposes the kind's untitled name. The
// file's name when it was written.
std::optional<std::string> saveWorkflowResult(App& app, const Image& result, StringId kind);

// The undo code under which an effect of the library changes a document.
inline constexpr int kLibraryEffectUndo = 1099;

// Effect number effect of the library on the active document (its selection when there is one),
// at the intensity the Edit screen would settle on for the value given (limited to the effect's
// floor..100 and rounded down to its step). 1 when the document changed; 0 when the library gave
// no picture or there is no active document.
int applyLibraryEffect(App& app, const EffectsLibrary& library, int effect, int intensity);

} // namespace gp
