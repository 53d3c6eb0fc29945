// Stand-in for the macOS SDK (syntax check only). The threads are glibc's, but macOS names the
// calling thread with one argument (`pthread_setname_np(name)`) where glibc takes the thread too:
// glibc's declaration is set aside so that only the Mac's form compiles.
#pragma once

#define pthread_setname_np pulsaro_glibc_pthread_setname_np
#include_next <pthread.h>
#undef pthread_setname_np

#ifdef __cplusplus
extern "C" {
#endif

// Names the calling thread (at most 63 bytes); 0 on success.
int pthread_setname_np(const char* name);

// Non-zero on the main thread.
int pthread_main_np(void);

#ifdef __cplusplus
}
#endif
