#pragma once
// The arithmetic of the Image Size dialog. It opens with the image's present width, height and
// resolution (dots per inch, 200 when the image has none) and scales of 100 %. Typing a width,
// height or scale recomputes the other fields (each rounded half up), keeping the aspect ratio
// when that box is ticked; a field that is not a number is refused (the dialog beeps). OK accepts
// a positive size and a resolution of at least 0 when something differs from the present values.

#include "image/Image.h"

#include <cstdint>
#include <string_view>

namespace gp {

class ImageSizeModel {
public:
    ImageSizeModel(const Image& image, bool keepAspect);

    int presentWidth() const { return m_presentWidth; }
    int presentHeight() const { return m_presentHeight; }
    int presentResolution() const { return m_presentResolution; }

    int width() const { return m_width; }
    int height() const { return m_height; }
    int resolution() const { return m_resolution; }
    int widthScale() const { return m_widthScale; }
    int heightScale() const { return m_heightScale; }
    bool keepAspect() const { return m_keepAspect; }
    // Bits per pixel × width × height / 8192 + 1.
    std::int64_t dataSizeKb() const;

    // Edit notifications of the fields; false when the text is not a number (beep).
    bool editWidth(std::string_view text);
    bool editHeight(std::string_view text);
    bool editWidthScale(std::string_view text);
    bool editHeightScale(std::string_view text);
    bool editResolution(std::string_view text);
    void toggleKeepAspect() { m_keepAspect = !m_keepAspect; }

    // True when OK may close the dialog; otherwise it beeps and stays open.
    bool acceptable() const;
    // After OK: only the resolution differs, so it can change without a new document.
    bool sizeUnchanged() const { return m_width == m_presentWidth && m_height == m_presentHeight; }

private:
    int m_bits;
    int m_presentWidth;
    int m_presentHeight;
    int m_presentResolution;
    double m_ratio;
    int m_width;
    int m_height;
    int m_resolution;
    int m_widthScale = 100;
    int m_heightScale = 100;
    bool m_keepAspect;
};

} // namespace gp
