#include "QtImage.h"

#include <cstring>

namespace gp::gfx {

QImage toQImage(const Image& image)
{
    if (image.isNull())
        return {};
    const int width = image.width(), height = image.height();
    QImage::Format format = QImage::Format_BGR888;
    switch (image.bitsPerPixel()) {
    case 1: format = QImage::Format_Mono; break;
    case 4:
    case 8: format = QImage::Format_Indexed8; break;
    default: break;
    }
    QImage result(width, height, format);
    if (result.isNull())
        return {};
    if (image.bitsPerPixel() <= 8) {
        QList<QRgb> table;
        for (const Rgbq& c : image.colorTable())
            table.push_back(qRgb(c.red, c.green, c.blue));
        while (table.size() < (1 << image.bitsPerPixel()))
            table.push_back(qRgb(0, 0, 0));
        result.setColorTable(table);
    }
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = image.row(y);
        uchar* out = result.scanLine(y);
        if (image.bitsPerPixel() == 4) {
            for (int x = 0; x < width; ++x)
                out[x] = (x & 1) ? (in[x / 2] & 0x0F) : (in[x / 2] >> 4);
        } else {
            std::memcpy(out, in, std::min<std::size_t>(image.rowSize(), std::size_t(result.bytesPerLine())));
        }
    }
    if (image.xPelsPerMeter() > 0 && image.yPelsPerMeter() > 0) {
        result.setDotsPerMeterX(image.xPelsPerMeter());
        result.setDotsPerMeterY(image.yPelsPerMeter());
    }
    return result;
}

std::optional<Image> fromQImage(const QImage& source, std::size_t ceiling)
{
    if (source.isNull())
        return std::nullopt;
    const QImage rgb = source.convertToFormat(QImage::Format_BGR888);
    auto image = Image::create(rgb.width(), rgb.height(), 24, 0, ceiling);
    if (!image)
        return std::nullopt;
    const std::size_t rowBytes = std::size_t(rgb.width()) * 3;
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(image->row(y), rgb.constScanLine(y), rowBytes);
    image->setResolution(rgb.dotsPerMeterX(), rgb.dotsPerMeterY());
    return std::move(image).value();
}

} // namespace gp::gfx
