#pragma once
// "A&dd To Album...": the active photo joins a general album chosen in the "Add To Album" list,
// without disturbing the album that is open. The crop, edit and frame screens call run() too.

#include "album/AddToAlbum.h"

#include <optional>

class QWidget;

namespace gp {
class App;
}

namespace gp::ui {

class AddToAlbumDialog {
public:
    // Asks for the album (a family without albums gets a new one to choose) and adds the active
    // photo; nothing when the dialog is cancelled or there is no active photo.
    static std::optional<AddOutcome> run(QWidget* parent, App& app);
};

} // namespace gp::ui
