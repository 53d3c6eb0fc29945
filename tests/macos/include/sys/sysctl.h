// Stand-in for the macOS SDK (syntax check only): system values by name ("hw.memsize",
// "hw.perflevel0.physicalcpu", ...). glibc has no such header.
#pragma once

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

// Reads (oldp/oldlenp) and optionally writes (newp/newlen) the named value; 0 on success, -1 and
// errno otherwise. *oldlenp is the buffer's size on entry and the value's size on return.
int sysctlbyname(const char* name, void* oldp, size_t* oldlenp, void* newp, size_t newlen);

// The same by numeric name (CTL_HW, ...).
int sysctl(int* name, unsigned int namelen, void* oldp, size_t* oldlenp, void* newp, size_t newlen);

#ifdef __cplusplus
}
#endif
