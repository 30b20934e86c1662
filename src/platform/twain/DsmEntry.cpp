// The one entry point of the source manager library.

#include "SourceManager.h"
#include "TwainProtocol.h"

namespace {

// The manager lives as long as the library is loaded: one per process, as the protocol has it.
gp::twain::SourceManager& manager()
{
    static gp::twain::SourceManager instance;
    return instance;
}

} // namespace

extern "C" __attribute__((visibility("default"))) TW_UINT16 DSM_Entry(
    TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF pData)
{
    return manager().entry(pOrigin, pDest, DG, DAT, MSG, pData);
}
