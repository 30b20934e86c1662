#include "print/PrintCommand.h"

#include "image/Allocator.h"
#include "print/PrintDocumentName.h"
#include "print/PrinterState.h"
#include "print/PrintingHost.h"
#include "shell/StringTable.h"

namespace gp {

PrintResult runPrintCommand(PrinterState& printer, PrintingHost& host, const Allocator& allocator,
                            const PrintCommandInput& input, const PrintDialogModel& dialog)
{
    std::optional<Image> calibrated;
    if (input.photo && input.calibration)
        calibrated = makeCalibratedCopy(*input.photo, *input.calibration, allocator, [&](int percent) {
            host.setStatus(StatusPane::Message, formatText(StringId::PrintProgressFormat, percent));
        });
    const Image* photo = calibrated ? &*calibrated : input.photo;
    const PrintResult result = printImage(printer, host, photo, dialog.placement(), Banding::On,
                                          DocumentRoute::NamedFunctions, printDocumentName(input.title));
    if (result.errors != 0)
        reportPrintErrors(host, result);
    return result;
}

} // namespace gp
