#include "screens/TextScreen.h"

#include "dialogs/DialogText.h"
#include "gfx/QtImage.h"
#include "layout/PhotoFit.h"
#include "app/App.h"
#include "shell/ButtonIds.h"
#include "shell/CommandIds.h"
#include "skin/ButtonLayout.h"
#include "views/PageView.h"
#include "views/TextComposeView.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace gp::ui {

namespace {

// The font list holds at most this many faces, each name cut to 99 characters.
constexpr int kMaxFaces = 1000;
constexpr int kMaxFaceName = 99;
// The controls' column beside the composition window, above Cancel and OK.
constexpr Rect kControlColumn { 632, 70, 788, 400 };
constexpr int kRowHeight = 32;
constexpr int kRowGap = 6;
constexpr int kEditRowHeight = 32;

QRect qrect(const Rect& r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}

Rect insetBy(const Rect& r, int by)
{
    return { r.left + by, r.top + by, r.right - by, r.bottom - by };
}

// A rectangle of box's proportions, as large as client allows, centred in it.
Rect fittedInto(const Rect& box, QSize client)
{
    if (box.isEmpty())
        return { 0, 0, client.width(), client.height() };
    const double scale = std::min(double(client.width()) / box.width(), double(client.height()) / box.height());
    const int w = std::max(1, int(box.width() * scale + 0.5)), h = std::max(1, int(box.height() * scale + 0.5));
    const int left = (client.width() - w) / 2, top = (client.height() - h) / 2;
    return { left, top, left + w, top + h };
}

// The system's font families, sorted as the user's language sorts text, with the current face
// among them even when it is only an alias of an installed family.
QStringList faceNames(const QString& current)
{
    QStringList faces;
    for (const QString& family : QFontDatabase::families()) {
        if (faces.size() >= kMaxFaces)
            break;
        faces.append(family.left(kMaxFaceName));
    }
    if (!faces.contains(current))
        faces.append(current);
    std::sort(
        faces.begin(), faces.end(), [](const QString& a, const QString& b) { return a.localeAwareCompare(b) < 0; });
    return faces;
}

QIcon swatch(Color color)
{
    QPixmap pixmap(24, 16);
    pixmap.fill(QColor(color.red, color.green, color.blue));
    return QIcon(pixmap);
}

} // namespace

TextScreen::TextScreen(ScreenContext context, PageView& pageView)
    : FrameScreen(std::move(context), Screen::Text, button::TextArea)
    , m_pageView(&pageView)
{
    buildWidgets();
}

TextScreen::~TextScreen() = default;

void TextScreen::buildWidgets()
{
    QWidget* parent = &frame();
    const QRect place = area();
    m_view = new TextComposeView(parent);
    m_view->setGeometry(place.x(), place.y(), place.width(), place.height() - kEditRowHeight - kRowGap);
    m_edit = new QLineEdit(parent);
    m_edit->setMaxLength(int(TextItem::kMaxLength));
    m_new = new QPushButton(tableText(StringId::TextNewButton), parent);
    const int newWidth = 80;
    m_edit->setGeometry(
        place.x(), place.bottom() - kEditRowHeight + 1, place.width() - newWidth - kRowGap, kEditRowHeight);
    m_new->setGeometry(place.right() + 1 - newWidth, place.bottom() - kEditRowHeight + 1, newWidth, kEditRowHeight);

    const QRect column = qrect(scaled(kControlColumn, mode640()));
    int y = column.top();
    auto row = [&](QWidget* widget) {
        widget->setGeometry(column.left(), y, column.width(), kRowHeight);
        y += kRowHeight + kRowGap;
    };
    m_font = new QComboBox(parent);
    m_font->addItems(faceNames(QString::fromStdString(m_settings.face)));
    m_style = new QComboBox(parent);
    for (StringId style : { StringId::TextStyleRegular, StringId::TextStyleItalic, StringId::TextStyleBold,
             StringId::TextStyleItalicBold })
        m_style->addItem(tableText(style));
    m_size = new QComboBox(parent);
    for (int points : kTextPointSizes)
        m_size->addItem(QString::number(points));
    m_color = new QPushButton(tableText(StringId::TextColorButton), parent);
    for (QWidget* widget : std::initializer_list<QWidget*> { m_font, m_style, m_size, m_color })
        row(widget);
    auto* alignments = new QButtonGroup(parent);
    const StringId alignNames[] = { StringId::TextAlignLeft, StringId::TextAlignCenter, StringId::TextAlignRight };
    const int alignWidth = (column.width() - 2 * kRowGap) / 3;
    for (int i = 0; i < 3; ++i) {
        m_align[i] = new QToolButton(parent);
        m_align[i]->setText(tableText(alignNames[i]));
        m_align[i]->setCheckable(true);
        m_align[i]->setGeometry(column.left() + i * (alignWidth + kRowGap), y, alignWidth, kRowHeight);
        alignments->addButton(m_align[i]);
        QObject::connect(m_align[i], &QToolButton::clicked, m_view, [this, i] {
            m_settings.align = TextAlign(i);
            settingsChanged();
        });
    }

    QObject::connect(m_edit, &QLineEdit::textChanged, m_view, [this](const QString& text) { typed(text); });
    QObject::connect(m_new, &QPushButton::clicked, m_view, [this] { startNew(); });
    QObject::connect(m_font, &QComboBox::currentTextChanged, m_view, [this](const QString& face) {
        m_settings.face = face.toStdString();
        settingsChanged();
    });
    QObject::connect(m_style, &QComboBox::currentIndexChanged, m_view, [this](int index) {
        m_settings.style = std::clamp(index, 0, kTextStyleCount - 1);
        settingsChanged();
    });
    QObject::connect(m_size, &QComboBox::currentTextChanged, m_view, [this](const QString& size) {
        m_settings.points = std::max(1, size.toInt());
        settingsChanged();
    });
    QObject::connect(m_color, &QPushButton::clicked, m_view, [this] {
        const QColor chosen = QColorDialog::getColor(
            QColor(m_settings.color.red, m_settings.color.green, m_settings.color.blue), &frame());
        if (chosen.isValid())
            applyColor({ std::uint8_t(chosen.red()), std::uint8_t(chosen.green()), std::uint8_t(chosen.blue()) });
    });
    QObject::connect(m_view, &TextComposeView::itemChosen, m_view, [this](std::size_t index) { itemChosen(index); });
    showSettings();
    setShown(false);
}

void TextScreen::setShown(bool shown)
{
    for (QWidget* widget : std::initializer_list<QWidget*> {
             m_view, m_edit, m_new, m_font, m_style, m_size, m_color, m_align[0], m_align[1], m_align[2] })
        widget->setVisible(shown);
}

void TextScreen::bindButtons()
{
    bindOkCancel(button::TextOk, button::TextCancel);
    // The clipboard keys and Delete act on the edit box's whole text, so they follow the typing
    // rules: cutting or deleting removes the current text, pasting types the clipboard's text.
    onKey(command::KeyCut, [this] {
        m_edit->selectAll();
        m_edit->cut();
        return 0;
    });
    onKey(command::KeyCopy, [this] {
        m_edit->selectAll();
        m_edit->copy();
        m_edit->deselect();
        return 0;
    });
    onKey(command::KeyPaste, [this] {
        m_edit->paste();
        return 0;
    });
    onKey(command::KeyDelete, [this] {
        m_edit->clear();
        return 0;
    });
}

void TextScreen::enter()
{
    LayoutPage& page = app().layoutPage();
    const bool freeStyle = app().layoutList().category == LayoutCategory::FreeStyle;
    Rect viewRect = m_pageView->printableRect();
    if (!freeStyle) {
        // The cell's photo box as the page view draws its texts into it.
        const std::vector<Rect> cells = m_pageView->viewCells();
        const auto cell = std::size_t(page.currentCell());
        if (cell < cells.size())
            viewRect = insetBy(photoBox(cells[cell], page.percent()), 2);
    }
    const Rect box = fittedInto(viewRect, m_view->size());
    m_composer = std::make_unique<TextComposer>(
        freeStyle ? TextComposer::forFreeStyle(page, box) : TextComposer::forCell(page, page.currentCell(), box));
    m_view->setBackground(composeBackground(box, viewRect));
    m_view->setComposer(m_composer.get());
    m_showing = true;
    m_edit->clear();
    m_showing = false;
    showSettings();
    m_edit->setFocus();
}

QImage TextScreen::composeBackground(const Rect& box, const Rect& viewRect) const
{
    // In the screen's device pixels, so a dense screen shows the photos' own detail.
    const qreal ratio = m_view->devicePixelRatioF();
    QImage background(m_view->size() * ratio, QImage::Format_RGB32);
    background.setDevicePixelRatio(ratio);
    background.fill(Qt::white);
    QPainter painter(&background);
    const LayoutPage& page = app().layoutPage();
    auto drawPhoto = [&](const PhotoHandle& photo, const Rect& target) {
        if (photo && !target.isEmpty())
            painter.drawImage(qrect(target), gfx::toQImage(*photo));
    };
    if (!m_composer->freeStyle()) {
        // The cell's photo fitted into the rectangle; the strips beside it stay white.
        if (const PhotoHandle& photo = page.photo(page.currentCell()))
            drawPhoto(photo, fitPhoto(box, { photo->width(), photo->height() }));
        return background;
    }
    // The free-style page's photos, moved down with its texts while they are edited.
    const double sx = double(box.width()) / std::max(viewRect.width(), 1);
    const double sy = double(box.height()) / std::max(viewRect.height(), 1);
    for (const PhotoObject& object : page.photoObjects()) {
        if (object.slot < 0 || object.slot >= LayoutPage::kSlots)
            continue;
        const Rect r = object.rect;
        const int shift = TextComposer::kFreeStyleShift;
        drawPhoto(page.photo(object.slot),
            { box.left + int((r.left - viewRect.left) * sx), box.top + int((r.top - viewRect.top) * sy) + shift,
                box.left + int((r.right - viewRect.left) * sx),
                box.top + int((r.bottom - viewRect.top) * sy) + shift });
    }
    return background;
}

void TextScreen::accept()
{
    if (m_composer)
        m_composer->accept();
    close();
}

void TextScreen::cancel()
{
    if (m_composer)
        m_composer->cancel();
    close();
}

void TextScreen::close()
{
    m_view->setComposer(nullptr);
    m_composer.reset();
    m_showing = true;
    m_edit->clear();
    m_showing = false;
    m_pageView->refresh();
}

void TextScreen::typed(const QString& text)
{
    if (m_showing || !m_composer)
        return;
    // A refused text stays in the box; nothing else to do about it.
    if (m_composer->type(text.toStdString(), m_settings, frame().logicalDpiY()) != TypingResult::None)
        m_view->update();
}

void TextScreen::startNew()
{
    if (m_composer)
        m_composer->startNew();
    m_edit->clear();
    m_edit->setFocus();
    m_view->update();
}

void TextScreen::itemChosen(std::size_t index)
{
    if (!m_composer || index >= m_composer->list().items().size())
        return;
    const TextItem& item = m_composer->list().items()[index];
    m_settings = settingsOf(item, frame().logicalDpiY());
    showSettings();
    m_showing = true;
    m_edit->setText(QString::fromStdString(item.text));
    m_showing = false;
}

void TextScreen::applyColor(Color color)
{
    m_settings.color = color;
    settingsChanged();
}

void TextScreen::settingsChanged()
{
    if (m_showing)
        return;
    if (m_composer)
        m_composer->apply(m_settings, frame().logicalDpiY());
    showSettings();
    m_view->update();
}

void TextScreen::showSettings()
{
    m_showing = true;
    const QString face = QString::fromStdString(m_settings.face);
    if (m_font->findText(face) < 0)
        m_font->addItem(face);
    m_font->setCurrentText(face);
    m_style->setCurrentIndex(m_settings.style);
    const QString size = QString::number(m_settings.points);
    if (m_size->findText(size) < 0)
        m_size->addItem(size);
    m_size->setCurrentText(size);
    m_color->setIcon(swatch(m_settings.color));
    m_align[int(m_settings.align)]->setChecked(true);
    m_showing = false;
}

} // namespace gp::ui
