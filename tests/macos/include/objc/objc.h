// Stand-in for the macOS SDK (syntax check only): the Objective-C basics. id, Class, SEL and
// instancetype are the compiler's own; BOOL is bool on Apple silicon.
#pragma once

#ifndef __OBJC__
#error "Objective-C declarations: include them from a .mm file"
#endif

@class Protocol;

typedef bool BOOL;
#define YES __objc_yes
#define NO __objc_no

#ifndef nil
#define nil nullptr
#endif
#ifndef Nil
#define Nil nullptr
#endif

#if __has_feature(objc_arc)
#define PULSARO_ARC_UNAVAILABLE \
    __attribute__((unavailable("not available under automatic reference counting")))
#else
#define PULSARO_ARC_UNAVAILABLE
#endif

#ifdef __cplusplus
extern "C" {
#endif
const char* sel_getName(SEL sel);
SEL sel_registerName(const char* str);
const char* class_getName(Class cls);
#ifdef __cplusplus
}
#endif
