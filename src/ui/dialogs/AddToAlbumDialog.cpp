#include "dialogs/AddToAlbumDialog.h"

#include "app/AlbumActions.h"
#include "dialogs/AlbumChoiceDialog.h"
#include "dialogs/DialogText.h"
#include "app/App.h"

namespace gp::ui {

std::optional<AddOutcome> AddToAlbumDialog::run(QWidget* parent, App& app)
{
    if (!app.activeDocument())
        return std::nullopt;
    AlbumRegistry& registry = app.albums().registry;
    QStringList names;
    for (int i = 0; i < registry.count(AlbumFamily::General); ++i)
        names << toQString(registry.displayName(AlbumFamily::General, i));
    AlbumChoiceDialog dialog(parent, tableText(StringId::AddToAlbumTitle), tableText(StringId::AddToAlbumPrompt),
        names, 0, tableText(StringId::OpenAlbumNew));
    if (dialog.exec() != QDialog::Accepted || dialog.choice() < 0)
        return std::nullopt;
    int index = dialog.choice();
    if (index >= registry.count(AlbumFamily::General)) {
        if (!registry.create(AlbumFamily::General))
            return std::nullopt;
        index = registry.count(AlbumFamily::General) - 1;
    }
    return addActivePhotoToAlbum(app, index);
}

} // namespace gp::ui
