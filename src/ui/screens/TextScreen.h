#pragma once
// The text screen: captions and titles for the current cell's photo, or the free-style page's
// text objects. The composition window shows them over the photo; typing in the edit box
// changes the current text or starts a new one (New starts one explicitly), the font, style,
// size, colour and alignment controls apply to the current text at once, and a text is dragged
// with the mouse. OK stores the texts on the page, Cancel puts back what was there.

#include "layout/TextComposer.h"
#include "screens/FrameScreen.h"

#include <memory>

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace gp::ui {

class PageView;
class TextComposeView;

class TextScreen : public FrameScreen {
public:
    // pageView: the layout page's view, whose cells and printable rectangle the texts belong to.
    TextScreen(ScreenContext context, PageView& pageView);
    ~TextScreen() override;

    void setShown(bool shown) override;

    TextComposeView* composeView() const { return m_view; }
    QLineEdit* editBox() const { return m_edit; }
    QPushButton* newButton() const { return m_new; }
    QComboBox* fontList() const { return m_font; }
    QComboBox* styleList() const { return m_style; }
    QComboBox* sizeList() const { return m_size; }
    QPushButton* colorButton() const { return m_color; }
    QToolButton* alignButton(TextAlign align) const { return m_align[int(align)]; }
    // The composer while the screen is open.
    const TextComposer* composer() const { return m_composer.get(); }
    const TextSettings& settings() const { return m_settings; }
    // The colour the colour button chose: the current setting and the current item's colour.
    void applyColor(Color color);

private:
    void bindButtons() override;
    void enter() override;
    void accept() override;
    void cancel() override;
    void buildWidgets();
    void close();
    // The box's text changed: the composer's typing rules.
    void typed(const QString& text);
    void startNew();
    // A control changed the settings: the current item follows.
    void settingsChanged();
    // Shows the settings in the lists and the colour button without applying them again.
    void showSettings();
    void itemChosen(std::size_t index);
    QImage composeBackground(const Rect& box, const Rect& viewRect) const;

    PageView* m_pageView;
    TextSettings m_settings;
    std::unique_ptr<TextComposer> m_composer;
    bool m_showing = false; // the controls are being set from the settings
    TextComposeView* m_view = nullptr;
    QLineEdit* m_edit = nullptr;
    QPushButton* m_new = nullptr;
    QComboBox* m_font = nullptr;
    QComboBox* m_style = nullptr;
    QComboBox* m_size = nullptr;
    QPushButton* m_color = nullptr;
    QToolButton* m_align[3] = {};
};

} // namespace gp::ui
