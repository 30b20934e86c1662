#include "print/PrintDocumentName.h"

#include "shell/StringTable.h"

namespace gp {

std::string printDocumentName(std::string_view title)
{
    std::string name(text(StringId::PrintDocumentPrefix));
    // Stored names use "\", names on this system "/"; either separates folders.
    const std::size_t separator = title.find_last_of("\\/");
    if (separator != std::string_view::npos && separator >= 4)
        return name + "..." + std::string(title.substr(separator));
    return name + std::string(title);
}

} // namespace gp
