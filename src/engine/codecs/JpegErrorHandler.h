#pragma once
// The JPEG library's standard error manager with its fatal-error routine replaced: the library
// formats its message into our buffer (it never prints and never exits the program) and control
// jumps back to the recovery point the caller set with setjmp before it first called the
// library. The function that calls setjmp must keep only trivially destructible locals, since
// the jump skips destructors.

#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

namespace gp {

struct JpegErrorHandler {
    jpeg_error_mgr manager;
    std::jmp_buf recovery;
    char message[JMSG_LENGTH_MAX];
};

// Fills the standard error manager, replaces its fatal-error and output routines, and returns
// it for the library object's err field.
jpeg_error_mgr* installJpegErrorHandler(JpegErrorHandler& handler);

} // namespace gp
