#pragma once
// The Frame Photo screen's strip shows the frame pictures as an album of the frame family. The
// first time the strip is needed and the family has no album yet, one is made from the shipped
// frames and saved; later visits find it and leave it as the user keeps it.

namespace gp {

class App;

// Makes the frame family's first album from the shipped frame pictures when the family has
// none. True when it made one now; false when one existed already, there are no shipped frames,
// or the album could not be saved (its entry is then withdrawn, so a later visit tries again).
bool ensureFrameAlbum(App& app);

} // namespace gp
