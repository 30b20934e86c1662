#pragma once
// The skinned list control: a button bar whose owner-drawn rows show the list's strings, with
// scroll buttons beside them. Up to 8 lists exist at a time, each holding at most 300000 bytes
// of text; choosing a row tells the parent through selectionChanged(list id).

#include "skin/ButtonBar.h"

#include <QStringList>

namespace gp::ui {

class ListControl : public ButtonBar {
    Q_OBJECT
public:
    // skin: "ui/Listbtn.800" or ".640"; background: the screen's list picture.
    ListControl(
        QWidget* parent, int listId, const std::filesystem::path& skin, const std::filesystem::path& background);
    ~ListControl() override;

    static int liveLists();
    int listId() const { return m_listId; }

    // False when the store is full.
    bool addString(const QString& text);
    void clear();
    int count() const { return int(m_items.size()); }
    int selectedIndex() const { return m_selected; }
    QString selectedText() const;
    void setSelectedIndex(int index);
    int topIndex() const { return m_top; }

signals:
    void selectionChanged(int listId);

private:
    void rowEvent(int row, const ButtonEvent& event);
    void scroll(int delta);

    int m_listId;
    QStringList m_items;
    std::size_t m_storeBytes = 0;
    int m_selected = -1;
    int m_top = 0;
    bool m_counted = false;
};

} // namespace gp::ui
