#pragma once
// The Properties dialog of an album photo: its texts (name without extension, folder in lower
// case ending in a separator, extension in upper case, recorded size in KB, the file's last
// change in local time, the recorded format) and renaming the file, which keeps the folder and
// the extension and refuses a name that is taken.

#include "album/PhotoItem.h"

#include <string>

namespace gp {

struct PhotoPropertiesText {
    std::string name;
    std::string location;
    std::string type;
    std::string size;
    std::string modified; // empty when the file cannot be examined
    std::string format;
};

PhotoPropertiesText photoPropertiesText(const PhotoRecord& record);

enum class RenameOutcome { Renamed, Unchanged, Exists, Failed };

// Moves the photo's file to newName (no folder, no extension) in its folder with its old
// extension and changes the record's path. Exists: another file has that name ("File already
// exists"); Failed: the name is empty, has a folder separator, is too long for the record, or
// the file system refused.
RenameOutcome renamePhotoFile(PhotoRecord& record, const std::string& newName);

} // namespace gp
