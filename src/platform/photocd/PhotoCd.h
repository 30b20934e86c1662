/* The C interface of libglimmer-photocd.so, the Photo CD library. A caller opens a reference on an
 * open file, chooses the output format and resolution, optionally gives an abort test and a progress
 * routine, loads the picture and closes the reference. Every function returns an error code whose
 * low 16 bits are 0 on success. */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

typedef struct PcdReference* PCDHandle;

/* Answers non-zero to abandon loading; called between rows while the picture is decoded. */
typedef int (*PCDAbortTest)(void* data);
/* Told how far loading has come: done of total steps. */
typedef void (*PCDProgress)(long done, long total, void* data);

enum {
    PCD_OK = 0,
    PCD_ERROR_ARGUMENT = 1, /* null handle, unknown format or resolution code */
    PCD_ERROR_NOT_PCD = 2, /* the file is no Photo CD image pack */
    PCD_ERROR_READ = 3, /* the file cannot be read, or its picture data is damaged or cut short */
    PCD_ERROR_ABORTED = 4, /* the abort test asked to stop */
    PCD_ERROR_MEMORY = 12 /* memory ran out */
};

enum { PCD_FORMAT_GRAY8 = 10, PCD_FORMAT_RGB24 = 11 };

/* Resolution codes: 1 Base/16 (128 by 192), 2 Base/4, 3 Base, 4 4Base, 5 16Base (2048 by 3072). */
enum { PCD_RES_BASE16 = 1, PCD_RES_BASE4 = 2, PCD_RES_BASE = 3, PCD_RES_4BASE = 4, PCD_RES_16BASE = 5 };

/* Reads the image pack from the open file descriptor fd (the descriptor stays the caller's) and fills
 * *handle. The defaults are 24-bit RGB at Base. */
unsigned long PCDrefOpen(int fd, PCDHandle* handle);
unsigned long PCDsetFormat(PCDHandle handle, int format);
unsigned long PCDsetResolution(PCDHandle handle, int resolution);
unsigned long PCDsetAbort(PCDHandle handle, PCDAbortTest test, void* data);
unsigned long PCDsetProgress(PCDHandle handle, PCDProgress progress, void* data);
/* Decodes the picture into *image: a block from malloc() holding a 40-byte BITMAPINFOHEADER, room for
 * a 256-entry colour table (filled with grays for 8-bit output, zero for 24-bit), and the bottom-up
 * rows padded to 4 bytes. The caller frees it with free(). reserved must be 0. */
unsigned long PCDloadImage(PCDHandle handle, const void* reserved, void** image);
unsigned long PCDrefClose(PCDHandle handle);

#ifdef __cplusplus
}
#endif
