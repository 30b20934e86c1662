/* The C interface of libglimmer-effect.so, the photo effects of the Edit Photo screen.
 *
 * An image is a packed device-independent bitmap: the 40-byte header, the colour table and the
 * bottom-up rows padded to four bytes, in one block. DoMyEffect answers a new block of the same
 * layout holding the effect at the given intensity (0..100), or null for an unknown effect, an
 * image it cannot treat (anything but uncompressed 24-bit) or when memory runs out; the input is
 * never changed. A block from DoMyEffect is released with FreeMyEffect. Effects are numbered from
 * 1 to MyEffectCount(); MyEffectName gives each one's name, null outside that range. */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

void* DoMyEffect(int effect, const void* image, int intensity);
void FreeMyEffect(void* block);
int MyEffectCount(void);
const char* MyEffectName(int effect);

#ifdef __cplusplus
}
#endif
