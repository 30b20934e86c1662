#include "views/DocumentPainter.h"

#include <QGuiApplication>
#include <QImage>

#include <algorithm>

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

QImage renderedPicture(const Image& image, const DisplaySetup& setup, int density)
{
    if (image.isNull() || !setup.gamma)
        return {};
    const RenderMode mode = chooseRenderMode(setup.screenDepth, image.bitsPerPixel());
    const DisplayRenderer renderer(image, 0, mode, *setup.gamma, setup.dither);
    const Size size = renderer.zoomedSize();
    QImage picture(size.width, size.height, renderer.rgbOutput() ? QImage::Format_BGR888 : QImage::Format_Indexed8);
    if (picture.isNull())
        return {};
    if (!renderer.rgbOutput()) {
        QVector<QRgb> colours;
        for (const Rgbq& c : renderer.palette())
            colours.append(qRgb(c.red, c.green, c.blue));
        picture.setColorTable(colours);
    }
    const int bytes = renderer.bytesPerPixel();
    renderer.renderArea({ 0, 0, size.width, size.height }, [] { return false; },
        [&](int y, int x0, std::span<const std::uint8_t> row) {
            std::copy(row.begin(), row.end(), picture.scanLine(y) + std::size_t(x0) * std::size_t(bytes));
        });
    picture.setDevicePixelRatio(density);
    return picture;
}

} // namespace gp::ui
