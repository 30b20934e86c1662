#include "codecs/BmpRle.h"

#include <algorithm>

namespace gp {

namespace {

class PixelPen {
public:
    explicit PixelPen(Image& image)
        : m_image(image)
        , m_width(image.width())
        , m_height(image.height())
        , m_fourBit(image.bitsPerPixel() == 4)
    {
    }

    bool full() const { return m_y >= m_height; }

    void put(int index)
    {
        if (m_x < m_width && m_y < m_height) {
            std::uint8_t* row = m_image.storedRow(m_y);
            if (!m_fourBit)
                row[m_x] = std::uint8_t(index);
            else if (m_x % 2 == 0)
                row[m_x / 2] = std::uint8_t((row[m_x / 2] & 0x0F) | (index << 4));
            else
                row[m_x / 2] = std::uint8_t((row[m_x / 2] & 0xF0) | (index & 0x0F));
        }
        if (m_x < m_width)
            ++m_x;
    }

    void nextLine()
    {
        m_x = 0;
        ++m_y;
    }

    void move(int dx, int dy)
    {
        m_x = std::min(m_width, m_x + dx);
        m_y += dy;
    }

private:
    Image& m_image;
    int m_width;
    int m_height;
    bool m_fourBit;
    int m_x = 0;
    int m_y = 0;
};

} // namespace

void decodeBmpRle(ByteReader& in, Image& image)
{
    const bool fourBit = image.bitsPerPixel() == 4;
    PixelPen pen(image);
    while (!pen.full()) {
        auto pair = in.readBytes(2);
        if (!pair)
            return;
        const int count = (*pair)[0];
        const int value = (*pair)[1];
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                pen.put(!fourBit ? value : (i % 2 == 0 ? value >> 4 : value & 0x0F));
            continue;
        }
        if (value == 0) {
            pen.nextLine();
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            auto delta = in.readBytes(2);
            if (!delta)
                return;
            pen.move((*delta)[0], (*delta)[1]);
        } else {
            const std::size_t bytes = fourBit ? std::size_t(value + 1) / 2 : std::size_t(value);
            auto run = in.readBytes(std::min(bytes, in.remaining()));
            for (int i = 0; i < value && std::size_t(fourBit ? i / 2 : i) < run->size(); ++i) {
                const int b = (*run)[std::size_t(fourBit ? i / 2 : i)];
                pen.put(!fourBit ? b : (i % 2 == 0 ? b >> 4 : b & 0x0F));
            }
            if (bytes % 2 != 0)
                (void)in.skip(std::min<std::size_t>(1, in.remaining()));
        }
    }
}

} // namespace gp
