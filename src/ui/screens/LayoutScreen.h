#pragma once
// The layout page, the home screen: the page view of the engine's layout page, the layout list,
// the category list, the copies counter, the My Templates bar and the photo-size slider bar. Its
// buttons switch to the photo screens, count copies, set up the printer and print the page; its
// keys cut, copy, paste, rotate and delete the current cell's photo and print the page. Print
// and Printer Setup live here too, because both end by measuring the printer's page again.

#include "print/PrintDialogModel.h"
#include "screens/FrameScreen.h"
#include "shell/ProfileFile.h"

#include <functional>
#include <memory>

class QLabel;

namespace gp {
class Image;
class LayoutPage;
} // namespace gp

namespace gp::ui {

class CopiesView;
class LayoutListView;
class ListControl;
class PageView;

class LayoutScreen : public FrameScreen {
public:
    explicit LayoutScreen(ScreenContext context);
    ~LayoutScreen() override;

    PageView* pageView() const { return m_pageView; }
    LayoutListView* layoutListView() const { return m_layouts; }
    ListControl* categoryList() const { return m_categories; }
    ButtonBar* templateBar() const { return m_templateBar; }
    // The string id of the chosen category (the label families count as "Avery Labels").
    int category() const;
    bool emptyTemplates() const;
    // The page through the chosen printer; false when nothing printed.
    bool printPage();
    // Until a photo is on the page there is nothing to crop, edit, frame, caption or clear.
    void disablePhotoButtons();
    // Deletes the My Templates and slider bars (the frame does it first when it closes).
    void deleteBars();

    // The template editor: started on a new template (index -1) or on template index of the
    // page's group. The frame connects it to the editor's screen.
    std::function<void(int index)> editTemplate;

    void setShown(bool shown) override;
    void tick() override;
    void photosChanged() override;

private:
    void bindButtons() override;
    void enter() override;
    void registerCommands() override;
    void buildWidgets();
    void clearPage();
    void chooseCategory();
    // Rebuilds the layout list for the category and the printer's page, and shows it again.
    void rebuildLayouts();
    void printerSetup();
    // The Print command: the active photo alone, through the Print dialog.
    void printPhoto();
    void pageChanged();
    void openFiles(const QStringList& paths);
    // Runs one of the engine's cell operations on the current cell and closes the document of
    // a photo that left every cell.
    int cellOperation(std::shared_ptr<Image> (LayoutPage::*operation)(int));
    // Ctrl+R: the current cell's photo turned a quarter clockwise.
    // Turns the photo of a slot a quarter clockwise; false when nothing turned.
    bool rotatePhoto(int slot);
    // Ctrl+R: the selected free-style object, or the current cell.
    void rotateSelected();
    // Ctrl+X, Ctrl+C, Ctrl+V and Delete on the free-style page act on the selected object.
    int objectOperation(std::shared_ptr<Image> (*operation)(LayoutPage&));
    void pasteObject();
    // Photos opened while Free Style is shown become photo objects.
    void placeNewPhotos();
    void showHelpTopic(int topic);
    // The bars and texts that change with the category: the slider or grid bar, the size text.
    void showCategoryParts();
    // Closes the document of a photo that left every cell.
    void closeDropped(const std::shared_ptr<Image>& photo);

    ProfileFile m_labelSpec;
    PrintDialogModel m_printModel;
    bool m_printingPhoto = false;
    PageView* m_pageView = nullptr;
    LayoutListView* m_layouts = nullptr;
    ListControl* m_categories = nullptr;
    CopiesView* m_copies = nullptr;
    ButtonBar* m_templateBar = nullptr;
    ButtonBar* m_optionBar = nullptr;
    QWidget* m_gridBar = nullptr;
    QLabel* m_sizeText = nullptr;
};

} // namespace gp::ui
