#pragma once
// Plays a sound file without waiting for it to end, through the first sound player program
// found on the search path: the desktop sound server's, then the plain ALSA one. Where there is
// no player or no such file the program has no sound, and nothing plays.

#include <QString>

namespace gp::ui {

// True when a player was started on the file.
bool playSoundFile(const QString& path);

} // namespace gp::ui
