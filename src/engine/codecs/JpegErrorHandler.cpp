#include "codecs/JpegErrorHandler.h"

namespace gp {

namespace {

JpegErrorHandler& handlerOf(j_common_ptr info)
{
    return *reinterpret_cast<JpegErrorHandler*>(info->err);
}

void formatOnly(j_common_ptr info)
{
    info->err->format_message(info, handlerOf(info).message);
}

[[noreturn]] void jumpToRecovery(j_common_ptr info)
{
    formatOnly(info);
    std::longjmp(handlerOf(info).recovery, 1);
}

} // namespace

jpeg_error_mgr* installJpegErrorHandler(JpegErrorHandler& handler)
{
    handler.message[0] = '\0';
    jpeg_error_mgr* manager = jpeg_std_error(&handler.manager);
    manager->error_exit = jumpToRecovery;
    manager->output_message = formatOnly;
    return manager;
}

} // namespace gp
