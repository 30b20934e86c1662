#include "print/PrintErrors.h"

#include "shell/Host.h"
#include "shell/StringTable.h"

namespace gp {

void reportPrintErrors(Host& host, const PrintResult& result)
{
    if (result.aborted)
        return;
    const std::string_view caption = text(StringId::PrintErrorCaption);
    if (result.errors == 0) {
        host.message(caption, text(StringId::PrintNoError), Icon::None);
        return;
    }
    for (int bit = 0; bit < 32; ++bit) {
        if (!(result.errors & (std::uint32_t(1) << bit)))
            continue;
        const int id = static_cast<int>(StringId::PrintNoError) + 1 + bit;
        if (id <= static_cast<int>(StringId::PrintErrLoadPrinter) && hasText(id))
            host.message(caption, text(id), Icon::None);
        else
            host.beep();
    }
}

} // namespace gp
