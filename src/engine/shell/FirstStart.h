#pragma once
// A user's first start of an installed program: the settings folder and the data folder do not
// exist yet, and the program cannot run without its settings file. The program's default
// settings file (GLMPRESS.INI in the program folder) is copied into the settings folder, and the
// data folder that albums and user templates are written to is made.

#include "shell/Paths.h"

namespace gp {

// Returns true when the user's settings file exists afterwards (it is never replaced when it
// already exists); false when the default could not be read or the copy not written.
bool provideUserFolders(const Paths& paths);

} // namespace gp
