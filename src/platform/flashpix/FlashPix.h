/* The C interface of libglimmer-flashpix.so, the FlashPix library: read a file into a packed bitmap,
 * write a packed bitmap to a file. */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

/* Reads the full-resolution picture of a FlashPix file. Returns a block from malloc() holding a
 * packed bitmap (40-byte header, colour table, bottom-up rows padded to 4 bytes): 24-bit for colour
 * pictures, 8-bit with a 256-entry gray table for monochrome ones. The caller frees it with free().
 * NULL when the file cannot be read or is no FlashPix picture the library understands. */
void* FPXreadImage(const char* fileName);

/* Writes the packed bitmap document (1, 4, 8 or 24 bits per pixel, uncompressed) as a FlashPix file.
 * quality 1..100 codes the tiles as JPEG at that quality; 0 stores them uncompressed. The file
 * appears whole or not at all. Returns 1 when written, 0 on failure. */
int FPXwriteImage(const void* document, const char* fileName, unsigned short quality);

#ifdef __cplusplus
}
#endif
