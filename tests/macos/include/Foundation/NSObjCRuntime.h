// Stand-in for the macOS SDK (syntax check only): Foundation's basic types and macros.
#pragma once

#include <limits.h>

#include <CoreFoundation/CoreFoundation.h>
#include <objc/objc.h>
#include <stdint.h>
#include <sys/types.h>

typedef long NSInteger;
typedef unsigned long NSUInteger;
typedef double NSTimeInterval;

#define NSIntegerMax LONG_MAX
#define NSUIntegerMax ULONG_MAX
static const NSInteger NSNotFound = 0x7fffffffffffffffL;

#define NS_ENUM(_type, _name) \
    enum _name : _type _name; \
    enum _name : _type
// In C++ an options type is the integer type itself, so that A | B keeps the type.
#define NS_OPTIONS(_type, _name) \
    _type _name;                 \
    enum : _name
#define NS_TYPED_ENUM
#define NS_TYPED_EXTENSIBLE_ENUM
#define NS_SWIFT_NAME(_name)
#define NS_REFINED_FOR_SWIFT
#define NS_DESIGNATED_INITIALIZER __attribute__((objc_designated_initializer))
#define NS_RETURNS_RETAINED __attribute__((ns_returns_retained))
#define NS_RETURNS_NOT_RETAINED __attribute__((ns_returns_not_retained))
#define NS_RETURNS_INNER_POINTER __attribute__((objc_returns_inner_pointer))
#define NS_ASSUME_NONNULL_BEGIN
#define NS_ASSUME_NONNULL_END
#define NS_UNAVAILABLE __attribute__((unavailable))
#define NS_FORMAT_FUNCTION(F, A) __attribute__((format(__NSString__, F, A)))

typedef NS_ENUM(NSInteger, NSComparisonResult) {
    NSOrderedAscending = -1L,
    NSOrderedSame,
    NSOrderedDescending,
};

@class NSString;

#ifdef __cplusplus
extern "C" {
#endif
void NSLog(NSString* format, ...) NS_FORMAT_FUNCTION(1, 2);
NSString* NSStringFromSelector(SEL aSelector);
SEL NSSelectorFromString(NSString* aSelectorName);
NSString* NSStringFromClass(Class aClass);
#ifdef __cplusplus
}
#endif
