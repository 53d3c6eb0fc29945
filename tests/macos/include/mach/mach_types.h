// Stand-in for the macOS SDK (syntax check only): the Mach base types used by the host calls.
#pragma once

#include <stdint.h>

typedef unsigned int natural_t;
typedef int integer_t;
typedef int kern_return_t;
typedef int boolean_t;
typedef natural_t mach_port_t;
typedef mach_port_t host_t;
typedef mach_port_t task_t;
typedef mach_port_t vm_map_t;
typedef mach_port_t mach_port_name_t;
typedef natural_t mach_msg_type_number_t;
typedef uintptr_t vm_address_t;
typedef uintptr_t vm_size_t;
typedef uintptr_t vm_offset_t;

#define MACH_PORT_NULL ((mach_port_t)0)

#define KERN_SUCCESS 0
#define KERN_INVALID_ADDRESS 1
#define KERN_PROTECTION_FAILURE 2
#define KERN_NO_SPACE 3
#define KERN_INVALID_ARGUMENT 4
#define KERN_FAILURE 5
#define KERN_RESOURCE_SHORTAGE 6
