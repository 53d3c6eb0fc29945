// Stand-in for the macOS SDK (syntax check only): the I/O registry calls. Every io_object_t
// (entry, service or iterator) a call returns is owned: IOObjectRelease it.
#pragma once

#include <CoreFoundation/CoreFoundation.h>
#include <mach/mach_types.h>

typedef mach_port_t io_object_t;
typedef io_object_t io_registry_entry_t;
typedef io_object_t io_service_t;
typedef io_object_t io_iterator_t;
typedef UInt32 IOOptionBits;
typedef char io_name_t[128];
typedef char io_string_t[512];

#define IO_OBJECT_NULL ((io_object_t)0)

#define kIOServicePlane "IOService"
#define kIODeviceTreePlane "IODeviceTree"
#define kIOPowerPlane "IOPower"

enum : IOOptionBits {
    kIORegistryIterateRecursively = 0x00000001,
    kIORegistryIterateParents = 0x00000002,
};

#ifdef __cplusplus
extern "C" {
#endif

// The default main port (macOS 12 and later; kIOMasterPortDefault before).
extern const mach_port_t kIOMainPortDefault;
extern const mach_port_t kIOMasterPortDefault __attribute__((deprecated("use kIOMainPortDefault")));

kern_return_t IOObjectRelease(io_object_t object);
kern_return_t IOObjectRetain(io_object_t object);
boolean_t IOObjectConformsTo(io_object_t object, const io_name_t className);

// Owned; the next object, or IO_OBJECT_NULL at the end.
io_object_t IOIteratorNext(io_iterator_t iterator);
boolean_t IOIteratorIsValid(io_iterator_t iterator);
void IOIteratorReset(io_iterator_t iterator);

// Owned matching dictionary for the class name (NULL on failure); consumed by the Get call below.
CFMutableDictionaryRef IOServiceMatching(const char* name);
// Consumes one reference to matching, whatever it returns. *existing is owned.
kern_return_t IOServiceGetMatchingServices(mach_port_t mainPort, CFDictionaryRef matching,
                                           io_iterator_t* existing);
// Owned; the first match or IO_OBJECT_NULL. Consumes one reference to matching.
io_service_t IOServiceGetMatchingService(mach_port_t mainPort, CFDictionaryRef matching);

// Owned; IO_OBJECT_NULL when no entry has that path ("IODeviceTree:/cpus").
io_registry_entry_t IORegistryEntryFromPath(mach_port_t mainPort, const io_string_t path);
// *iterator is owned.
kern_return_t IORegistryEntryCreateIterator(io_registry_entry_t entry, const io_name_t plane,
                                            IOOptionBits options, io_iterator_t* iterator);
// *iterator is owned.
kern_return_t IORegistryEntryGetChildIterator(io_registry_entry_t entry, const io_name_t plane,
                                              io_iterator_t* iterator);
// *parent is owned.
kern_return_t IORegistryEntryGetParentEntry(io_registry_entry_t entry, const io_name_t plane,
                                            io_registry_entry_t* parent);
kern_return_t IORegistryEntryGetName(io_registry_entry_t entry, io_name_t name);
// Owned; NULL when the entry has no such property.
CFTypeRef IORegistryEntryCreateCFProperty(io_registry_entry_t entry, CFStringRef key,
                                          CFAllocatorRef allocator, IOOptionBits options);
// *properties is owned.
kern_return_t IORegistryEntryCreateCFProperties(io_registry_entry_t entry, CFMutableDictionaryRef* properties,
                                                CFAllocatorRef allocator, IOOptionBits options);
// Owned; searches the entry and, with the options, its parents or children.
CFTypeRef IORegistryEntrySearchCFProperty(io_registry_entry_t entry, const io_name_t plane, CFStringRef key,
                                          CFAllocatorRef allocator, IOOptionBits options);

#ifdef __cplusplus
}
#endif
