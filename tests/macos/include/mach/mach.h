// Stand-in for the macOS SDK (syntax check only): the Mach interfaces the host readings use.
#pragma once

#include <mach/mach_host.h>
#include <mach/mach_types.h>
#include <mach/machine.h>
#include <mach/processor_info.h>
#include <mach/vm_statistics.h>

#ifdef __cplusplus
extern "C" {
#endif

// The calling task's own port: not a new reference, never deallocated.
extern mach_port_t mach_task_self_;
#define mach_task_self() mach_task_self_

// Releases memory a Mach call allocated in the task (host_processor_info's array).
kern_return_t vm_deallocate(vm_map_t target_task, vm_address_t address, vm_size_t size);

// Drops one reference to a port right (a mach_host_self() result).
kern_return_t mach_port_deallocate(task_t task, mach_port_name_t name);

// The kernel's page size in bytes (16 KiB on Apple silicon).
extern vm_size_t vm_kernel_page_size;
extern vm_size_t vm_page_size;

#ifdef __cplusplus
}
#endif
