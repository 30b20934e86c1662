#pragma once
// The abort procedure of a print job. The device calls it while it works; it keeps the program
// responsive by letting the Host process waiting input, and the job stops for good once the
// Printing window's Cancel was pressed or the device reported an error.

namespace gp {

class PrintingHost;

class PrintAbort {
public:
    explicit PrintAbort(PrintingHost& host)
        : m_host(&host)
    {
    }

    bool aborted() const { return m_aborted; }

    // Returns true while the job may go on.
    bool operator()(int error);

private:
    PrintingHost* m_host;
    bool m_aborted = false;
};

} // namespace gp
