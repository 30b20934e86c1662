#pragma once
// Saving over an existing file without losing it: the old file is first renamed to the backup
// name (the name without its extension, then ".&#!"), the new one is written, and the backup is
// deleted on success or renamed back on failure. After a write error with a backup in place the
// user may choose to write once more straight over the old file. The save type comes from the
// name's extension, or from the remembered type (whose extension is then appended).

#include "image/Image.h"

#include <string>

namespace gp {

struct ImageFileContext;

// Saves an image under path; path gains the default extension when it had none. True when the
// file was written.
bool saveImageWithBackup(const ImageFileContext& files, const Image& image, std::string& path);

// The backup name of a file: "d:/photos/beach.jpg" gives "d:/photos/beach.&#!".
std::string backupNameOf(std::string_view path);

} // namespace gp
