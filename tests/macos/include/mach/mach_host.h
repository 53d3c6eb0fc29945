// Stand-in for the macOS SDK (syntax check only): host-wide statistics.
#pragma once

#include <mach/mach_types.h>
#include <mach/processor_info.h>
#include <mach/vm_statistics.h>

typedef int host_flavor_t;
typedef integer_t* host_info_t;
typedef integer_t* host_info64_t;

#define HOST_VM_INFO64 4
#define HOST_VM_INFO64_COUNT ((mach_msg_type_number_t)(sizeof(vm_statistics64_data_t) / sizeof(integer_t)))

#ifdef __cplusplus
extern "C" {
#endif

// A send right to the host port; each call adds a reference (mach_port_deallocate it, or keep one).
mach_port_t mach_host_self(void);

// Per-processor information of the given flavor. On success *out_processor_info is allocated in
// the caller's task and must be released with vm_deallocate(mach_task_self(), address,
// *out_processor_infoCnt * sizeof(integer_t)); on failure nothing is allocated.
kern_return_t host_processor_info(host_t host, processor_flavor_t flavor, natural_t* out_processor_count,
                                  processor_info_array_t* out_processor_info,
                                  mach_msg_type_number_t* out_processor_infoCnt);

// 64-bit statistics of the given flavor into the caller's buffer; *host_info64_outCnt is the
// buffer's size in integer_t on entry (HOST_VM_INFO64_COUNT) and the size filled on return.
kern_return_t host_statistics64(host_t host_priv, host_flavor_t flavor, host_info64_t host_info64_out,
                                mach_msg_type_number_t* host_info64_outCnt);

#ifdef __cplusplus
}
#endif
