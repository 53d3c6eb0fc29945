// Stand-in for the macOS SDK (syntax check only): the per-locale C functions that LLVM's C++
// library includes on Apple. glibc has most of them in <locale.h>, <stdlib.h> and <ctype.h>; what
// it lacks is declared here as Apple's libc declares it. glibc's is*_l are macros that take a
// locale object's fields, while the C++ library passes 0 for the C locale as Apple's functions
// allow: the functions are left in their place.
#pragma once

#include <ctype.h>
#include <locale.h>
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

#undef isalnum_l
#undef isalpha_l
#undef iscntrl_l
#undef isdigit_l
#undef islower_l
#undef isgraph_l
#undef isprint_l
#undef ispunct_l
#undef isspace_l
#undef isupper_l
#undef isxdigit_l
#undef isblank_l
#undef tolower_l
#undef toupper_l

// Apple's character class bits (<_ctype.h>), which the C++ library's ctype masks are made of.
#define _CTYPE_A 0x00000100L
#define _CTYPE_C 0x00000200L
#define _CTYPE_D 0x00000400L
#define _CTYPE_G 0x00000800L
#define _CTYPE_L 0x00001000L
#define _CTYPE_P 0x00002000L
#define _CTYPE_S 0x00004000L
#define _CTYPE_U 0x00008000L
#define _CTYPE_X 0x00010000L
#define _CTYPE_B 0x00020000L

#ifdef __cplusplus
extern "C" {
#endif
int sscanf_l(const char* s, locale_t locale, const char* format, ...);
int snprintf_l(char* s, size_t n, locale_t locale, const char* format, ...);
int asprintf_l(char** s, locale_t locale, const char* format, ...);
#ifdef __cplusplus
}
#endif
