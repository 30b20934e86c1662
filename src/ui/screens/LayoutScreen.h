#pragma once
// The layout page, the home screen: the page view of the engine's layout page, the layout list,
// the category list, the copies counter, the My Templates bar and the photo-size slider bar. Its
// buttons switch to the photo screens, count copies, set up the printer and print the page; its
// keys cut, copy, paste, rotate and delete the current cell's photo and print the page. Print
// and Printer Setup live here too, because both end by measuring the printer's page again.

#include "print/PrintDialogModel.h"
#include "screens/FrameScreen.h"
#include "shell/ProfileFile.h"

#include <memory>

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

    void setShown(bool shown) override;
    void tick() override;
    void photosChanged() override;

private:
    void bindButtons() override;
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
    void rotatePhoto();
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
};

} // namespace gp::ui
