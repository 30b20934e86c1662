#pragma once
// The Get Photos screen: the family's current album in the album grid, with the album name and
// photo description fields, the information line, the album toolbar (Add, Acquire, Save,
// Print, Sort, Delete, Exit, Help) and the scroll bar. The page's buttons open, create and
// rename albums, add photos, put the selected photos on the page, start the slide show and
// remove photos. Leaving the screen closes the album: a changed album is saved without asking
// and an empty one disappears. While the screen is shown, scanned photos join the album.
// It also registers Add to Album (106), Slide Show (107), the album command (120) and Delete
// (166, on the album's selection while this screen is shown).

#include "app/AlbumSession.h"
#include "screens/FrameScreen.h"

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QScrollBar;
class QToolButton;
class QWidget;

namespace gp {
class Image;
}

namespace gp::ui {

class AlbumGrid;

class GetPhotosScreen : public FrameScreen {
public:
    explicit GetPhotosScreen(ScreenContext context);
    ~GetPhotosScreen() override;

    void setShown(bool shown) override;

    AlbumGrid* grid() const { return m_grid; }
    AlbumSession& session() { return m_session; }
    QScrollBar* scrollBar() const { return m_scroll; }
    QLineEdit* nameField() const { return m_name; }
    QLineEdit* descriptionField() const { return m_description; }
    QLabel* infoLine() const { return m_info; }
    QToolButton* toolButton(int index) const { return m_tools[index]; }

    // The page's and the toolbar's commands, also for tests.
    void openAlbum();
    void newAlbum();
    void renameAlbum();
    void addPhotos();
    // Opens every selected photo ("Can't add more pictures." past 98 photo windows); false
    // when the limit stopped it.
    bool openSelected();
    void usePhotos();
    void removePhotos();
    void sortAlbum();
    void printThumbnails();
    void saveAlbum();
    void runSlideShow();
    void showProperties();
    // A scanned or captured photo joins the album under a dated name.
    void storeScannedPhoto(const Image& photo);

private:
    void bindButtons() override;
    void registerCommands() override;
    void enter() override;
    void accept() override;
    void cancel() override;

    void buildWidgets();
    void showAlbum();
    void closeAlbum();
    void refresh();
    void showCurrentDescription();
    void showInfo(const QString& text);
    void showCount();
    void showHelp();

    AlbumSession m_session;
    QWidget* m_panel = nullptr;
    AlbumGrid* m_grid = nullptr;
    QScrollBar* m_scroll = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_description = nullptr;
    QLabel* m_info = nullptr;
    QToolButton* m_tools[8] = {};
    bool m_shown = false;
    std::function<void(std::optional<Image>)> m_previousDelivery;
};

} // namespace gp::ui
