// SANE's test backend leaves buffers of its reader behind now and then (its own allocations,
// made inside the backend); the leak checker of the sanitizer builds is told to let them be, so
// it keeps watching everything of ours in the programs that scan.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libsane-test.so\n";
}
