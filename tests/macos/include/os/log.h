// Stand-in for the macOS SDK (syntax check only): the unified log. A log object from
// os_log_create lives for the whole process and is never released.
#pragma once

#include <stdint.h>

typedef struct os_log_s* os_log_t;

typedef enum : uint8_t {
    OS_LOG_TYPE_DEFAULT = 0x00,
    OS_LOG_TYPE_INFO = 0x01,
    OS_LOG_TYPE_DEBUG = 0x02,
    OS_LOG_TYPE_ERROR = 0x10,
    OS_LOG_TYPE_FAULT = 0x11,
} os_log_type_t;

#ifdef __cplusplus
extern "C" {
#endif

os_log_t os_log_create(const char* subsystem, const char* category);
void os_log_con_tipo_(os_log_t log, os_log_type_t type, const char* format, ...);

#ifdef __cplusplus
}
#endif

// The real one is a macro whose format must be a string literal: `"" format` keeps that rule.
#define os_log_with_type(log, type, format, ...) \
    os_log_con_tipo_(log, type, "" format __VA_OPT__(, ) __VA_ARGS__)
