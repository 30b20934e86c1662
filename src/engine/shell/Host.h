#pragma once
// Everything of the engine that reaches the user goes through the Host: message boxes with their
// exact texts and captions, questions, the beep, the wait cursor, status-bar texts, the Escape
// test of long operations and the file choosers. The window program, the command-line tool and
// the tests each provide one.
//
// New members get a safe default here (a dialog answers "cancelled"), so every Host keeps
// compiling when a feature adds one.

#include "base/Geometry.h"
#include "draw/PrinterCatalog.h"
#include "image/Image.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gp {

class BrightnessContrastModel;
class Document;
class FilterDialogModel;
class HueSaturationModel;
class ImageSizeModel;
class ToneModel;
class RotateDialogModel;

enum class Icon { None, Warning, Question, Information, Stop };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

// The status-bar panes: the progress line, the zoom of the active document, its type, and the
// help line.
enum class StatusPane { Message, Zoom, Type, Help };

struct FileFilter {
    std::string description; // "Windows Bitmap (*.bmp)"
    std::string patterns; // "*.bmp;*.rle"
};

// The "Photo CD Options" dialog: a Data Type list and a Resolution list, preset to the indices
// given; OK answers the chosen indices.
struct PhotoCdDialog {
    std::string title;
    std::string dataTypeLabel;
    std::vector<std::string> dataTypes;
    std::string resolutionLabel;
    std::vector<std::string> resolutions;
    int dataType = 0;
    int resolution = 0;
};

struct PhotoCdChoice {
    int dataType = 0;
    int resolution = 0;
};

struct FileChoice {
    std::vector<std::string> paths;
    int filterIndex = 0; // 0-based index of the filter the user left selected
    // The Save As dialog's extra controls as the user left them, when the chosen type shows them.
    std::optional<bool> compress;
    std::optional<int> quality;
};

class Host {
public:
    virtual ~Host() = default;

    // A message box with an OK button.
    virtual void message(std::string_view caption, std::string_view text, Icon icon) = 0;
    // A question; returns the button pressed.
    virtual Answer ask(std::string_view caption, std::string_view text, Buttons buttons, Icon icon) = 0;
    virtual void beep() = 0;
    virtual void setWaitCursor(bool on) = 0;
    virtual void setStatus(StatusPane pane, std::string_view text) = 0;
    // True while the user holds Escape; long operations poll it between rows.
    virtual bool escapePressed() = 0;

    // Disables the main frame (and the album window) while a scanner's own dialog is up;
    // enabling gives the frame the focus again.
    virtual void setFrameEnabled(bool /*enabled*/) {}

    // File choosers; nothing when the user cancels.
    virtual std::optional<FileChoice> chooseOpenFiles(std::string_view /*title*/, std::string_view /*directory*/,
        const std::vector<FileFilter>& /*filters*/, int /*filterIndex*/, bool /*multiple*/)
    {
        return std::nullopt;
    }
    virtual std::optional<FileChoice> chooseSaveFile(std::string_view /*title*/, std::string_view /*proposedPath*/,
        const std::vector<FileFilter>& /*filters*/, int /*filterIndex*/)
    {
        return std::nullopt;
    }
    // The Save As dialog with its extra controls: the "&Compress" box (ticked from compress) for
    // the TIFF and TGA types and the "&Quality: %d" slider (set to quality) for JPEG and FlashPix.
    // A Host without those controls shows the plain chooser.
    virtual std::optional<FileChoice> chooseSaveFileWithOptions(std::string_view title, std::string_view proposedPath,
        const std::vector<FileFilter>& filters, int filterIndex, bool /*compress*/, int /*quality*/)
    {
        return chooseSaveFile(title, proposedPath, filters, filterIndex);
    }

    // The Photo CD options dialog; nothing when the user cancels.
    virtual std::optional<PhotoCdChoice> choosePhotoCdOptions(const PhotoCdDialog& /*dialog*/) { return std::nullopt; }
    // A command changed or saved the image: the page view shows the photos again.
    virtual void redrawPage() { }

    // The system's printer dialog in setup mode, starting from current and offering printers;
    // nothing when the user cancels.
    virtual std::optional<PrinterChoice> choosePrinter(const std::optional<PrinterChoice>& /*current*/,
                                                       const std::vector<DeviceNames>& /*printers*/)
    {
        return std::nullopt;
    }
    // The modeless "Printing" window of a print job: shown with its first progress text, updated
    // as bands are drawn, closed at the end of the job.
    virtual void showPrintingWindow(std::string_view /*progress*/) {}
    virtual void setPrintingProgress(std::string_view /*progress*/) {}
    virtual void closePrintingWindow() {}
    // Processes the input waiting while a job runs; true when the Printing window received a
    // command (its Cancel button) since it was shown.
    virtual bool processPrintingEvents() { return false; }

    // A document's picture changed: repaint `area` (image pixels, top row 0), or the whole window
    // with new scroll ranges when there is no area (its size may have changed).
    virtual void repaintDocument(const Document& /*document*/, std::optional<Rect> /*area*/) {}

    // The editing dialogs run on the models that hold their arithmetic; true when the user
    // pressed OK (the model then holds the accepted values).
    virtual bool runRotateDialog(RotateDialogModel& /*model*/) { return false; }
    virtual bool runImageSizeDialog(ImageSizeModel& /*model*/) { return false; }

    // The system clipboard. Offering announces a bitmap that render makes only when another
    // program asks for it; lost is called when another program empties the clipboard. The
    // system's bitmap is nothing when the clipboard holds none (or there is no system clipboard).
    virtual void offerClipboardBitmap(std::function<std::optional<Image>()> /*render*/, std::function<void()> /*lost*/)
    {
    }
    virtual std::optional<Image> systemClipboardBitmap() { return std::nullopt; }

    // The adjustment, filter and effect dialogs show Before and After previews of `source` (see
    // editing/PreviewSession.h); `preview` computes an After image from a sample with the model's
    // current values. True when the user pressed OK (the model then holds the accepted values).
    using PreviewCompute = std::function<std::optional<Image>(const Image& sample)>;
    virtual bool runBrightnessContrastDialog(BrightnessContrastModel& /*model*/, const Image& /*source*/,
                                             const PreviewCompute& /*preview*/)
    {
        return false;
    }
    virtual bool runHueSaturationDialog(HueSaturationModel& /*model*/, const Image& /*source*/,
                                        const PreviewCompute& /*preview*/)
    {
        return false;
    }
    virtual bool runToneDialog(ToneModel& /*model*/, const Image& /*source*/, const PreviewCompute& /*preview*/)
    {
        return false;
    }
    // Blur or Sharpen with its intensity.
    virtual bool runFilterDialog(FilterDialogModel& /*model*/, const Image& /*source*/,
                                 const PreviewCompute& /*preview*/)
    {
        return false;
    }
    // The Effects menu's previews with the choice of effect and intensity.
    virtual bool runEffectBrowser(FilterDialogModel& /*model*/, const Image& /*source*/,
                                  const PreviewCompute& /*preview*/)
    {
        return false;
    }
};

} // namespace gp
