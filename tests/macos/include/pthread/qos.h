// Stand-in for the macOS SDK (syntax check only): quality-of-service classes of threads.
#pragma once

#include <pthread.h>

typedef enum {
    QOS_CLASS_USER_INTERACTIVE = 0x21,
    QOS_CLASS_USER_INITIATED = 0x19,
    QOS_CLASS_DEFAULT = 0x15,
    QOS_CLASS_UTILITY = 0x11,
    QOS_CLASS_BACKGROUND = 0x09,
    QOS_CLASS_UNSPECIFIED = 0x00,
} qos_class_t;

#ifdef __cplusplus
extern "C" {
#endif

// Sets the calling thread's class; relative_priority is 0 or negative (down to -15). 0 on success.
int pthread_set_qos_class_self_np(qos_class_t qos_class, int relative_priority);

qos_class_t qos_class_self(void);

#ifdef __cplusplus
}
#endif
