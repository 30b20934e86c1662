#pragma once
// Marks a hot pixel loop to be compiled twice on x86-64, once for the baseline instruction set
// and once for AVX2, the better chosen when the program starts. The loops are plain C++ that the
// compiler vectorises; both versions give the same bytes.

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define GP_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define GP_VECTOR_CLONES
#endif
