// Stand-in for the macOS SDK (syntax check only): what host_processor_info hands out.
#pragma once

#include <mach/mach_types.h>
#include <mach/machine.h>

typedef int processor_flavor_t;
// An array of integer_t allocated in the caller's task: vm_deallocate it after use.
typedef integer_t* processor_info_array_t;

#define PROCESSOR_BASIC_INFO 1
#define PROCESSOR_CPU_LOAD_INFO 2

// One core's ticks, CPU_STATE_MAX counters in the CPU_STATE_* order; 32 bits, they wrap.
struct processor_cpu_load_info {
    natural_t cpu_ticks[CPU_STATE_MAX];
};
typedef struct processor_cpu_load_info processor_cpu_load_info_data_t;
typedef struct processor_cpu_load_info* processor_cpu_load_info_t;
#define PROCESSOR_CPU_LOAD_INFO_COUNT \
    ((mach_msg_type_number_t)(sizeof(processor_cpu_load_info_data_t) / sizeof(natural_t)))
