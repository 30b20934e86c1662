#include "views/SoundPlayer.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace gp::ui {

bool playSoundFile(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return false;
    // Looked up at each play (a lookup is a few file checks), so a player installed while the
    // program runs is found. Each player takes the file as its last argument.
    const struct {
        const char* program;
        QStringList options;
    } players[] = { { "paplay", {} }, { "pw-play", {} }, { "aplay", { QStringLiteral("-q") } } };
    for (const auto& player : players) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(player.program));
        if (program.isEmpty())
            continue;
        // Detached: the sound plays on while the user goes on clicking, and nobody waits for it.
        return QProcess::startDetached(program, QStringList(player.options) << path);
    }
    return false;
}

} // namespace gp::ui
