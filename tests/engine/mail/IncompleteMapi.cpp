// A mail library with logon and logoff but without the sending functions.

#include "MapiProtocol.h"

extern "C" MAPI_ULONG MAPILogon(MAPI_ULONG_PTR, char*, char*, MAPI_FLAGS, MAPI_ULONG, MAPI_LHANDLE* session)
{
    *session = 1;
    return SUCCESS_SUCCESS;
}

extern "C" MAPI_ULONG MAPILogoff(MAPI_LHANDLE, MAPI_ULONG_PTR, MAPI_FLAGS, MAPI_ULONG)
{
    return SUCCESS_SUCCESS;
}
