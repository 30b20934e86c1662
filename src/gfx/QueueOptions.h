#pragma once
// The options a CUPS queue's driver offers beyond the paper size: paper source, media type,
// resolution, colour and whatever else its PPD lists, each with its choices and the queue's
// default, as the Printer Setup dialog shows them.

#include <string>
#include <vector>

namespace gp::gfx {

struct QueueChoice {
    std::string keyword; // what the job names ("Tray2")
    std::string text; // what the user reads ("Second tray")
};

struct QueueOption {
    std::string keyword; // "InputSlot", "MediaType", "Resolution", ...
    std::string text;
    std::string defaultChoice;
    std::vector<QueueChoice> choices;
};

// No driver needs more; a damaged PPD cannot fill the dialog without end.
inline constexpr std::size_t kMaxQueueOptions = 64;
inline constexpr std::size_t kMaxQueueChoices = 256;

// The queue's options with more than one choice, in the driver's order, the page size and page
// region left out (the paper list covers them); empty when the queue or its PPD is unknown.
std::vector<QueueOption> queueOptions(const std::string& queue);

// The dots per inch a resolution choice names ("600dpi", "1200x600dpi": the first figure);
// 0 when it names none.
int resolutionOfChoice(const std::string& choice);

} // namespace gp::gfx
