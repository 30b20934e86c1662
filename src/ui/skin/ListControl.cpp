#include "skin/ListControl.h"

#include <QPainter>

namespace gp::ui {

namespace {

constexpr int kMaxLists = 8;
constexpr std::size_t kStoreBytes = 300000;
int g_liveLists = 0;

std::vector<std::vector<ButtonRecord>> listRecords()
{
    return { recordsOf(listPage()) };
}

} // namespace

ListControl::ListControl(
    QWidget* parent, int listId, const std::filesystem::path& skin, const std::filesystem::path& background)
    : ButtonBar(
        parent, skin, g_liveLists < kMaxLists ? listRecords() : std::vector<std::vector<ButtonRecord>> {}, background)
    , m_listId(listId)
{
    setProperty("listControl", true);
    if (g_liveLists < kMaxLists) {
        ++g_liveLists;
        m_counted = true;
    }
    for (ButtonRecord& record : records()) {
        if (record.kind == ButtonKind::OwnerDrawn) {
            const int row = record.id - 1;
            record.handler = [this, row](const ButtonEvent& event) { rowEvent(row, event); };
        } else {
            const int delta = record.id == 7 ? -1 : 1;
            record.handler = [this, delta](const ButtonEvent&) { scroll(delta); };
        }
    }
    switchPage(0);
}

ListControl::~ListControl()
{
    if (m_counted)
        --g_liveLists;
}

int ListControl::liveLists()
{
    return g_liveLists;
}

bool ListControl::addString(const QString& text)
{
    const std::size_t bytes = std::size_t(text.toUtf8().size()) + 1;
    if (m_storeBytes + bytes > kStoreBytes)
        return false;
    m_storeBytes += bytes;
    m_items.append(text);
    update();
    return true;
}

void ListControl::clear()
{
    m_items.clear();
    m_storeBytes = 0;
    m_selected = -1;
    m_top = 0;
    update();
}

QString ListControl::selectedText() const
{
    return m_selected >= 0 && m_selected < m_items.size() ? m_items[m_selected] : QString();
}

void ListControl::setSelectedIndex(int index)
{
    m_selected = index >= 0 && index < m_items.size() ? index : -1;
    if (m_selected >= 0 && (m_selected < m_top || m_selected >= m_top + kListRows))
        m_top = std::max(0, m_selected - kListRows + 1);
    update();
}

void ListControl::scroll(int delta)
{
    const int top = std::clamp(m_top + delta, 0, std::max(0, int(m_items.size()) - kListRows));
    if (top != m_top) {
        m_top = top;
        update();
    }
}

void ListControl::rowEvent(int row, const ButtonEvent& event)
{
    const int index = m_top + row;
    if (event.phase == 50) {
        if (index >= m_items.size())
            return;
        QPainter& p = *event.painter;
        p.setPen(index == m_selected ? Qt::white : QColor(0x24, 0x37, 0x46));
        if (index == m_selected)
            p.fillRect(event.rect.adjusted(0, 0, 0, -1), QColor(0x33, 0x65, 0x8a));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(std::max(10, event.rect.height() / 2));
        p.setFont(font);
        p.drawText(event.rect.adjusted(6, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft, m_items[index]);
        return;
    }
    if (event.phase == -1 && index < m_items.size() && index != m_selected) {
        m_selected = index;
        update();
        emit selectionChanged(m_listId);
    }
}

} // namespace gp::ui
