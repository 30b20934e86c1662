#pragma once
// The copies counter of the layout page: shows the picture of the current count from the
// copies skin ("ui/copies.800"), one picture per count 1..99.

#include "skin/SkinFile.h"

#include <QImage>
#include <QWidget>
#include <optional>

namespace gp::ui {

class CopiesView : public QWidget {
    Q_OBJECT
public:
    CopiesView(QWidget* parent, const std::filesystem::path& skin);
    void setCount(int count);
    int count() const { return m_count; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<SkinFile> m_skin;
    int m_density = 1;
    QImage m_picture;
    int m_count = 0;
};

} // namespace gp::ui
