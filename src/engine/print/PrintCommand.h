#pragma once
// The Print command after the dialog's OK: the document's name for the job, the scale from the
// chosen output resolution, the calibrated copy when printer calibration is on, the image print
// and its error boxes.

#include "print/Calibration.h"
#include "print/PrintDialogModel.h"

#include <string>

namespace gp {

class Allocator;
class PrintingHost;

struct PrintCommandInput {
    const Image* photo = nullptr;
    std::string title;                                 // the document's title
    const CalibrationTables* calibration = nullptr;    // set when calibration is on
};

PrintResult runPrintCommand(PrinterState& printer, PrintingHost& host, const Allocator& allocator,
                            const PrintCommandInput& input, const PrintDialogModel& dialog);

} // namespace gp
