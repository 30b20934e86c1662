#include "frame/SystemClipboard.h"

#include "codecs/BmpWriter.h"
#include "gfx/QtImage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace gp::ui {

namespace {

const QString kBmpType = QStringLiteral("image/bmp");

// Offers the bitmap without making it: retrieveData runs only when a program asks.
class LazyBitmap : public QMimeData {
public:
    explicit LazyBitmap(std::function<std::optional<Image>()> render)
        : m_render(std::move(render))
    {
    }

    QStringList formats() const override { return { kBmpType }; }
    bool hasFormat(const QString& type) const override { return type == kBmpType; }

protected:
    QVariant retrieveData(const QString& type, QMetaType) const override
    {
        if (type != kBmpType || !m_render)
            return {};
        if (m_rendered.isEmpty())
            if (auto image = m_render())
                m_rendered = SystemClipboard::bmpBytes(*image);
        return m_rendered;
    }

private:
    std::function<std::optional<Image>()> m_render;
    mutable QByteArray m_rendered;
};

} // namespace

SystemClipboard::SystemClipboard()
{
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &SystemClipboard::clipboardChanged);
}

void SystemClipboard::offer(std::function<std::optional<Image>()> render, std::function<void()> lost)
{
    m_lost = std::move(lost);
    m_offered = true;
    QGuiApplication::clipboard()->setMimeData(new LazyBitmap(std::move(render)));
}

void SystemClipboard::clipboardChanged()
{
    if (!m_offered || QGuiApplication::clipboard()->ownsClipboard())
        return;
    m_offered = false;
    if (auto lost = std::exchange(m_lost, {}))
        lost();
}

std::optional<Image> SystemClipboard::bitmap() const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return std::nullopt;
    if (data->hasFormat(kBmpType)) {
        const QByteArray bytes = data->data(kBmpType);
        if (auto image = fromBmpBytes(bytes))
            return image;
        // Header forms other than the plain one: let Qt decode them.
        if (const QImage decoded = QImage::fromData(bytes, "BMP"); !decoded.isNull())
            return gfx::fromQImage(decoded);
    }
    if (data->hasImage())
        return gfx::fromQImage(qvariant_cast<QImage>(data->imageData()));
    return std::nullopt;
}

QByteArray SystemClipboard::bmpBytes(const Image& image)
{
    const auto header = bmpFileHeader(image);
    const auto packed = image.packed();
    QByteArray bytes(reinterpret_cast<const char*>(header.data()), qsizetype(header.size()));
    bytes.append(reinterpret_cast<const char*>(packed.data()), qsizetype(packed.size()));
    return bytes;
}

std::optional<Image> SystemClipboard::fromBmpBytes(const QByteArray& bytes)
{
    // X11 carries the whole BMP file; the packed bitmap follows the 14-byte file header.
    if (bytes.size() < 14 || bytes[0] != 'B' || bytes[1] != 'M')
        return std::nullopt;
    auto image = Image::fromPacked(
        { reinterpret_cast<const std::uint8_t*>(bytes.constData()) + 14, std::size_t(bytes.size() - 14) });
    if (!image)
        return std::nullopt;
    return std::move(image).value();
}

} // namespace gp::ui
