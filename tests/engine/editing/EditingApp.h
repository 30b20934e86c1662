#pragma once
// An App with a scripted Host for the command tests: the Rotate and Image Size dialogs answer
// from fields set by the test, repaints and the system clipboard are recorded.

#include "editing/transform/ImageSizeModel.h"
#include "editing/transform/RotateDialogModel.h"
#include "editing/selection/SelectionContent.h"
#include "app/App.h"

#include "Pictures.h"
#include "FakeHost.h"
#include "TempDir.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace gp::test {

class EditHost : public FakeHost {
public:
    std::optional<std::string> rotateField; // nothing: Cancel
    std::function<bool(ImageSizeModel&)> imageSizeDialog; // returns OK or Cancel
    std::optional<Image> systemClipboard; // the other programs' bitmap
    std::function<std::optional<Image>()> clipboardRender;
    std::function<void()> clipboardLost;
    int clipboardOffers = 0;
    int repaints = 0;

    bool runRotateDialog(RotateDialogModel& model) override
    {
        return rotateField && model.accept(*rotateField).has_value();
    }
    bool runImageSizeDialog(ImageSizeModel& model) override { return imageSizeDialog && imageSizeDialog(model); }
    void offerClipboardBitmap(std::function<std::optional<Image>()> render, std::function<void()> lost) override
    {
        ++clipboardOffers;
        clipboardRender = std::move(render);
        clipboardLost = std::move(lost);
    }
    std::optional<Image> systemClipboardBitmap() override
    {
        return systemClipboard ? std::optional<Image>(systemClipboard->clone()) : std::nullopt;
    }
    void repaintDocument(const Document&, std::optional<Rect>) override { ++repaints; }
};

class EditingApp : public ::testing::Test {
protected:
    TempDir dir;
    EditHost host;
    App app { host, Paths { dir.path(), dir.path(), dir.path(), dir.path() } };

    // A document holding exactly this image (any depth), made the active one.
    Document& open(const Image& image, std::string title = "photo.bmp")
    {
        Document* document = app.documents().create(Image::create(1, 1, 24).value(), std::move(title));
        document->replaceImage(std::make_shared<Image>(image.clone()));
        return *document;
    }

    // Selects a rectangle with a mask that has every pixel set, or the given mask.
    static void select(Document& document, Rect area, std::optional<Image> mask = std::nullopt)
    {
        if (!mask) {
            mask = Image::createMask(area.width(), area.height()).value();
            for (int y = 0; y < area.height(); ++y)
                for (int x = 0; x < area.width(); ++x)
                    setPixelIndex(mask->row(y), x, 1, 1);
        }
        document.state().mask = std::move(mask);
        document.state().selection = area;
        document.state().selectionShown = true;
    }

    static Image ellipseMask(int width, int height)
    {
        Image mask = Image::createMask(width, height).value();
        const double a = width / 2.0, b = height / 2.0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const double dx = (x + 0.5 - a) / a, dy = (y + 0.5 - b) / b;
                if (dx * dx + dy * dy <= 1.0)
                    setPixelIndex(mask.row(y), x, 1, 1);
            }
        return mask;
    }
};

} // namespace gp::test
