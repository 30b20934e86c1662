#pragma once
// The zoom commands 200..234 on the active document: a fixed step, one step in or out, or the
// step that fits the picture into the document view's usable area (the picture's own size when
// no view is set). A zoom that cannot change beeps. Without a document they do nothing.

namespace gp {

class App;

void registerZoomCommands(App& app);

} // namespace gp
