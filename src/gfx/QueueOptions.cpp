#include "QueueOptions.h"

#include <cups/cups.h>
#include <cups/ppd.h>

#include <charconv>
#include <cstring>
#include <string_view>
#include <unistd.h>

namespace gp::gfx {

namespace {

// PPD access is marked deprecated in favour of IPP attributes, but only the PPD names every
// option of a local queue's driver (IPP maps just the standard few), so it is what is read.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

bool pageOption(const char* keyword)
{
    return std::strcmp(keyword, "PageSize") == 0 || std::strcmp(keyword, "PageRegion") == 0;
}

void collect(std::vector<QueueOption>& out, const ppd_group_t& group)
{
    for (int i = 0; i < group.num_options && out.size() < kMaxQueueOptions; ++i) {
        const ppd_option_t& option = group.options[i];
        if (pageOption(option.keyword) || option.num_choices < 2)
            continue;
        QueueOption entry;
        entry.keyword = option.keyword;
        entry.text = option.text[0] ? option.text : option.keyword;
        entry.defaultChoice = option.defchoice;
        for (int c = 0; c < option.num_choices && entry.choices.size() < kMaxQueueChoices; ++c) {
            const ppd_choice_t& choice = option.choices[c];
            entry.choices.push_back({ choice.choice, choice.text[0] ? choice.text : choice.choice });
        }
        out.push_back(std::move(entry));
    }
    for (int i = 0; i < group.num_subgroups && out.size() < kMaxQueueOptions; ++i)
        collect(out, group.subgroups[i]);
}

std::vector<QueueOption> readPpd(const char* file)
{
    std::vector<QueueOption> options;
    ppd_file_t* ppd = ppdOpenFile(file);
    if (!ppd)
        return options;
    for (int g = 0; g < ppd->num_groups && options.size() < kMaxQueueOptions; ++g)
        collect(options, ppd->groups[g]);
    ppdClose(ppd);
    return options;
}

std::string fetchPpd(const std::string& queue)
{
    // The scheduler copies the queue's PPD into a temporary file that is ours to remove.
    const char* file = cupsGetPPD(queue.c_str());
    return file ? std::string(file) : std::string();
}

#pragma GCC diagnostic pop

} // namespace

std::vector<QueueOption> queueOptions(const std::string& queue)
{
    if (queue.empty())
        return {};
    const std::string file = fetchPpd(queue);
    if (file.empty())
        return {};
    std::vector<QueueOption> options = readPpd(file.c_str());
    ::unlink(file.c_str());
    return options;
}

int resolutionOfChoice(const std::string& choice)
{
    int dpi = 0;
    const auto [end, error] = std::from_chars(choice.data(), choice.data() + choice.size(), dpi);
    if (error != std::errc() || dpi <= 0 || end == choice.data() + choice.size())
        return 0;
    // "600dpi" or "600x300dpi"; "dpcm" and anything else is not a figure to measure by.
    const std::string_view rest(end, std::size_t(choice.data() + choice.size() - end));
    if (rest == "dpi" || (rest.front() == 'x' && rest.ends_with("dpi")))
        return dpi;
    return 0;
}

} // namespace gp::gfx
