#pragma once
// What every subsystem of the engine may ask of the program around it: the messages and
// questions, and the progress and status of long operations. The window program, the
// command-line tool and the tests each provide one (app/AppHost.h adds the ports of the upper
// layers: clipboard, document view, editing dialogs, printing windows).

#include "shell/MessagePort.h"
#include "shell/ProgressPort.h"

namespace gp {

class Host : public MessagePort, public ProgressPort {
};

} // namespace gp
