#pragma once
// The colour-mode commands (350..354): each makes a new image from the active document with its
// conversion and opens it as a new untitled document (widened back to 24 bit, so the window
// shows the reduced colours). A command whose source type does not apply does nothing.

namespace gp {

class App;

void registerColorConversionCommands(App& app);

} // namespace gp
