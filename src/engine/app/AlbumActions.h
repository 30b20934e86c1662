#pragma once
// Album operations that reach into the rest of the program: adding the active photo to a
// general album (saving an untitled photo first), adding the files chosen in the "Add
// Thumbnails" dialog, and storing a photo from the camera or scanner under a dated name.

#include "album/AddToAlbum.h"

#include <ctime>
#include <string_view>

namespace gp {

class App;

// "A&dd To Album...": the active photo joins general album albumIndex. An untitled photo goes
// through Save As first; nothing happens when that is cancelled or there is no active photo.
AddOutcome addActivePhotoToAlbum(App& app, int albumIndex);

// The "Add Thumbnails" dialog (multiple selection, the Open dialog's filters with a position of
// its own kept for the run), then each chosen file joins the open album, JPEG files decoded
// ahead on every core; Escape stops the batch. progress hears after each file. Returns how
// many were added.
int addThumbnailsFromDialog(App& app, const std::function<void(std::string_view)>& showInfo,
    const std::function<void(int done, int total)>& progress = {});

// Saves a captured photo (widened to 24 bits) as a JPEG file under the next camera name for
// today and adds it to the open album like a file.
AddOutcome storeCapturedPhoto(
    App& app, const Image& photo, const std::tm& today, const std::function<void(std::string_view)>& showInfo);

} // namespace gp
