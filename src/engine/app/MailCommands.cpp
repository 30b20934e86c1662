#include "app/MailCommands.h"

#include "app/App.h"
#include "mail/MailSend.h"
#include "shell/CommandIds.h"
#include "shell/StringTable.h"

#include <string>

namespace gp {

namespace {

constexpr std::size_t kMaxNameLength = 260;

} // namespace

std::optional<unsigned> sendActivePhoto(App& app, void* ownerWindow)
{
    Document* active = app.activeDocument();
    if (!active)
        return std::nullopt;
    app.currentName() = active->title().substr(0, kMaxNameLength);
    if (!DocumentList::isUntitled(active->title())) {
        app.documents().confirmClosing(*active, app.host(), [&app] { app.execute(command::Save); });
    } else {
        if (app.execute(command::SaveAs) != command::ResultSaved)
            return std::nullopt;
        // Save As named the photo after the file it wrote.
        active = app.activeDocument();
        if (!active)
            return std::nullopt;
        app.currentName() = active->title().substr(0, kMaxNameLength);
    }
    return sendFilesByMail(
        app.host(), app.paths().library(text(StringId::MailLibraryName)), app.currentName(), ownerWindow);
}

void registerMailCommands(App& app)
{
    app.commands().set(command::SendMail, [&app](std::string_view) {
        sendActivePhoto(app);
        return command::ResultNone;
    });
}

} // namespace gp
