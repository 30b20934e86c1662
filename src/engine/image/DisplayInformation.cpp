#include "image/DisplayInformation.h"

#include "shell/FormatDecimal.h"
#include "shell/StringTable.h"

namespace gp {

int imageDpi(std::int32_t pixelsPerMetre, int screenDpi)
{
    const int dpi = int(pixelsPerMetre * 0.0254 + 0.5);
    if (dpi > 0)
        return dpi;
    return screenDpi > 0 ? screenDpi : 1;
}

std::string dpiText(int dpi)
{
    return formatText(StringId::InfoDpi, dpi);
}

std::string lengthText(int pixels, int dpi, LengthUnit unit, const std::string& decimalSeparator)
{
    if (unit == LengthUnit::Pixel)
        return formatText(StringId::InfoPixels, pixels);
    double length = double(pixels) / (dpi > 0 ? dpi : 1);
    if (unit == LengthUnit::Centimetre)
        length *= 2.54;
    return formatDecimal(length, 2, decimalSeparator)
        + std::string(text(unit == LengthUnit::Inch ? StringId::InfoInchSuffix : StringId::InfoCmSuffix));
}

std::string blockSizeText(const Image& image)
{
    const unsigned long bytes = image.imageSize() ? image.imageSize() : image.pixels().size();
    return formatText(StringId::InfoKBytes, bytes / 1024 + 1);
}

std::string typeNameText(ImageType type)
{
    if (type == ImageType::None)
        return {};
    return std::string(text(int(StringId::InfoTypeGray8) - 1 + int(type)));
}

} // namespace gp
