#include "frame/CopiesView.h"

#include "gfx/QtImage.h"
#include "skin/SkinDensity.h"

#include <QPainter>

namespace gp::ui {

CopiesView::CopiesView(QWidget* parent, const std::filesystem::path& skin)
    : QWidget(parent)
{
    // The screen's density picks the skin file; a picture drawn at 2x paints at its window size.
    const DensityFile file = densityFile(skin, devicePixelRatioF());
    if (auto loaded = SkinFile::load(file.path)) {
        m_skin = std::move(loaded).value();
        m_density = file.density;
    }
}

void CopiesView::setCount(int count)
{
    if (count == m_count)
        return;
    m_count = count;
    m_picture = QImage();
    const auto pictures = m_skin ? m_skin->page(0) : std::span<const SkinEntry> {};
    if (count >= 1 && count <= int(pictures.size()))
        if (auto image = m_skin->image(pictures[std::size_t(count - 1)]))
            m_picture = gfx::toQImage(*image);
    m_picture.setDevicePixelRatio(m_density);
    update();
}

void CopiesView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!m_picture.isNull()) {
        p.drawImage(0, 0, m_picture);
        return;
    }
    p.fillRect(rect(), Qt::white);
    p.drawText(rect(), Qt::AlignCenter, QString::number(m_count));
}

} // namespace gp::ui
