#pragma once
// The progress of a long pixel operation as the status bar shows it ("  Converting: 40%", then
// "  Ready"), with the Escape test the operation consults between rows to stop early.

#include "shell/StringTable.h"

namespace gp {

class ProgressPort;

class ConversionProgress {
public:
    ConversionProgress(ProgressPort& host, StringId kind)
        : m_host(&host)
        , m_kind(kind)
    {
    }

    // Shows the percentage (below 100) and returns false when the user asked to stop.
    bool update(int percent);
    // Shows "  Ready".
    void finish();

private:
    ProgressPort* m_host;
    StringId m_kind;
};

} // namespace gp
