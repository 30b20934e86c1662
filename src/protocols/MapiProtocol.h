#ifndef GLIMMER_MAPI_PROTOCOL_H
#define GLIMMER_MAPI_PROTOCOL_H
/* The simple mail interface of libglimmer-mapi.so: log on, send a message or documents through
 * the user's mail client, log off. Functions, records, flags and result codes carry the
 * numbers of the simple messaging interface. Window handles (ulUIParam) are the program's
 * top-level QWidget* or 0; the library does not use them. */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef uint32_t MAPI_ULONG;
typedef uint32_t MAPI_FLAGS;
typedef uintptr_t MAPI_LHANDLE;
typedef uintptr_t MAPI_ULONG_PTR;

/* Results. */
#define SUCCESS_SUCCESS 0
#define MAPI_USER_ABORT 1
#define MAPI_E_FAILURE 2
#define MAPI_E_LOGIN_FAILURE 3
#define MAPI_E_INSUFFICIENT_MEMORY 5
#define MAPI_E_TOO_MANY_FILES 9
#define MAPI_E_ATTACHMENT_NOT_FOUND 11
#define MAPI_E_ATTACHMENT_OPEN_FAILURE 12
#define MAPI_E_BAD_RECIPTYPE 15
#define MAPI_E_INVALID_MESSAGE 17
#define MAPI_E_INVALID_SESSION 19
#define MAPI_E_NOT_SUPPORTED 26

/* Flags. */
#define MAPI_LOGON_UI 0x00000001
#define MAPI_NEW_SESSION 0x00000002
#define MAPI_DIALOG 0x00000008

/* Recipient classes. */
#define MAPI_ORIG 0
#define MAPI_TO 1
#define MAPI_CC 2
#define MAPI_BCC 3

typedef struct {
    MAPI_ULONG ulReserved;
    MAPI_ULONG ulRecipClass;
    char* lpszName;
    char* lpszAddress;
    MAPI_ULONG ulEIDSize;
    void* lpEntryID;
} MapiRecipDesc;

typedef struct {
    MAPI_ULONG ulReserved;
    MAPI_ULONG flFlags;
    MAPI_ULONG nPosition;
    char* lpszPathName;
    char* lpszFileName;
    void* lpFileType;
} MapiFileDesc;

typedef struct {
    MAPI_ULONG ulReserved;
    char* lpszSubject;
    char* lpszNoteText;
    char* lpszMessageType;
    char* lpszDateReceived;
    char* lpszConversationID;
    MAPI_FLAGS flFlags;
    MapiRecipDesc* lpOriginator;
    MAPI_ULONG nRecipCount;
    MapiRecipDesc* lpRecips;
    MAPI_ULONG nFileCount;
    MapiFileDesc* lpFiles;
} MapiMessage;

typedef MAPI_ULONG (*LPMAPILOGON)(MAPI_ULONG_PTR ulUIParam, char* lpszProfileName, char* lpszPassword,
    MAPI_FLAGS flFlags, MAPI_ULONG ulReserved, MAPI_LHANDLE* lplhSession);
typedef MAPI_ULONG (*LPMAPILOGOFF)(
    MAPI_LHANDLE lhSession, MAPI_ULONG_PTR ulUIParam, MAPI_FLAGS flFlags, MAPI_ULONG ulReserved);
typedef MAPI_ULONG (*LPMAPISENDMAIL)(MAPI_LHANDLE lhSession, MAPI_ULONG_PTR ulUIParam, MapiMessage* lpMessage,
    MAPI_FLAGS flFlags, MAPI_ULONG ulReserved);
typedef MAPI_ULONG (*LPMAPISENDDOCUMENTS)(
    MAPI_ULONG_PTR ulUIParam, char* lpszDelimChar, char* lpszFilePaths, char* lpszFileNames, MAPI_ULONG ulReserved);

MAPI_ULONG MAPILogon(MAPI_ULONG_PTR ulUIParam, char* lpszProfileName, char* lpszPassword, MAPI_FLAGS flFlags,
    MAPI_ULONG ulReserved, MAPI_LHANDLE* lplhSession);
MAPI_ULONG MAPILogoff(MAPI_LHANDLE lhSession, MAPI_ULONG_PTR ulUIParam, MAPI_FLAGS flFlags, MAPI_ULONG ulReserved);
MAPI_ULONG MAPISendMail(MAPI_LHANDLE lhSession, MAPI_ULONG_PTR ulUIParam, MapiMessage* lpMessage, MAPI_FLAGS flFlags,
    MAPI_ULONG ulReserved);
MAPI_ULONG MAPISendDocuments(
    MAPI_ULONG_PTR ulUIParam, char* lpszDelimChar, char* lpszFilePaths, char* lpszFileNames, MAPI_ULONG ulReserved);

#ifdef __cplusplus
}
#endif

#endif
