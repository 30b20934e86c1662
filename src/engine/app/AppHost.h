#pragma once
// The whole program around the engine as App sees it: every port of the layers below, joined in
// one class. The window program, the command-line tool and the tests each derive one and override
// what they show; what they leave alone keeps the port's safe default (a dialog answers
// "cancelled", a repaint does nothing).

#include "editing/DocumentViewPort.h"
#include "editing/EditDialogPort.h"
#include "image/ClipboardPort.h"
#include "print/PrintingHost.h"

namespace gp {

class AppHost : public PrintingHost, public ClipboardPort, public DocumentViewPort, public EditDialogPort {
};

} // namespace gp
