#include "views/DocumentPainter.h"

#include <QGuiApplication>
#include <QImage>

namespace gp::ui {

bool leftButtonDown()
{
    return QGuiApplication::mouseButtons() & Qt::LeftButton;
}

QRect paintImage(QPainter& painter, const Image& image, int zoom, QPoint origin, QRect update,
    const DisplaySetup& setup, const std::function<bool()>& stop)
{
    if (image.isNull() || !setup.gamma)
        return {};
    const RenderMode mode = chooseRenderMode(setup.screenDepth, image.bitsPerPixel());
    const DisplayRenderer renderer(image, zoom, mode, *setup.gamma, setup.dither);
    QVector<QRgb> colours;
    for (const Rgbq& c : renderer.palette())
        colours.append(qRgb(c.red, c.green, c.blue));

    // The update area in the zoomed image's coordinates.
    const QRect area = update.translated(-origin);
    const Rect wanted { area.left(), area.top(), area.right() + 1, area.bottom() + 1 };
    const int end = renderer.renderArea(wanted, stop, [&](int y, int x0, std::span<const std::uint8_t> row) {
        const int width = int(row.size()) / renderer.bytesPerPixel();
        QImage line(row.data(), width, 1, int(row.size()),
            renderer.rgbOutput() ? QImage::Format_BGR888 : QImage::Format_Indexed8);
        if (!renderer.rgbOutput())
            line.setColorTable(colours);
        painter.drawImage(origin + QPoint(x0, y), line);
    });
    const int paintedBottom = origin.y() + end;
    if (paintedBottom > update.bottom() || end >= renderer.zoomedSize().height)
        return {};
    return QRect(update.left(), paintedBottom, update.width(), update.bottom() + 1 - paintedBottom);
}

} // namespace gp::ui
