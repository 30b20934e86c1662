#pragma once
// The port through which the engine talks with the user: message boxes with their exact texts
// and captions, questions, the beep, the file choosers and the Photo CD options. Choosers that
// a Host does not show answer "cancelled".

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gp {

enum class Icon { None, Warning, Question, Information, Stop };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

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

class MessagePort {
public:
    virtual ~MessagePort() = default;

    // A message box with an OK button.
    virtual void message(std::string_view caption, std::string_view text, Icon icon) = 0;
    // A question; returns the button pressed.
    virtual Answer ask(std::string_view caption, std::string_view text, Buttons buttons, Icon icon) = 0;
    virtual void beep() = 0;

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
};

} // namespace gp
