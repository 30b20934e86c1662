// SANE's test backend leaves buffers of its reader behind now and then (its own allocations,
// made inside the backend); the leak checker of the sanitizer builds is told to let them be, so
// it keeps watching everything of ours in the programs that scan.

#include <dlfcn.h>

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libsane-test.so\n";
}

namespace {

// The program unloads the scanner library, and SANE and its backend with it, before the leak
// check runs, and a leak inside a library that is gone can no longer be told by its name. Loading
// them once more here, never to be unloaded, keeps the backend's name for the suppression above.
const bool g_scannerLibrariesKept
    = dlopen("/usr/lib/x86_64-linux-gnu/sane/libsane-test.so.1", RTLD_LAZY | RTLD_NODELETE) != nullptr
    && dlopen("libsane.so.1", RTLD_LAZY | RTLD_NODELETE) != nullptr
    && dlopen(GLIMMER_BUILD_LIBDIR "/libglimmer-twain.so", RTLD_LAZY | RTLD_NODELETE) != nullptr;

} // namespace
