#pragma once
// The system clipboard as the engine sees it: offering announces a bitmap that render makes only
// when another program asks for it; lost is called when another program empties the clipboard.
// The system's bitmap is nothing when the clipboard holds none (or there is no system clipboard).

#include "image/Image.h"

#include <functional>
#include <optional>

namespace gp {

class ClipboardPort {
public:
    virtual ~ClipboardPort() = default;

    virtual void offerClipboardBitmap(std::function<std::optional<Image>()> /*render*/, std::function<void()> /*lost*/)
    {
    }
    virtual std::optional<Image> systemClipboardBitmap() { return std::nullopt; }
};

} // namespace gp
