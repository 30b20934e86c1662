#pragma once
// Table texts and engine strings as Qt strings, for the dialogs' labels.

#include "shell/StringTable.h"

#include <QString>
#include <string_view>

namespace gp::ui {

inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

inline QString tableText(StringId id)
{
    return toQString(text(id));
}

} // namespace gp::ui
