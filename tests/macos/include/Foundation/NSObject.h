// Stand-in for the macOS SDK (syntax check only): the root class and the basic protocols.
// Ownership: under ARC the compiler keeps the counts; a method of the alloc, new, copy or
// mutableCopy family returns an object the caller owns, any other an object it does not.
#pragma once

#include <Foundation/NSObjCRuntime.h>

@class NSString;
@class NSInvocation;
@class NSMethodSignature;
@protocol NSObject

- (BOOL)isEqual:(id)object;
@property(readonly) NSUInteger hash;
@property(readonly) Class superclass;
- (Class)class;
- (instancetype)self;
- (BOOL)isProxy;
- (BOOL)isKindOfClass:(Class)aClass;
- (BOOL)isMemberOfClass:(Class)aClass;
- (BOOL)conformsToProtocol:(Protocol*)aProtocol;
- (BOOL)respondsToSelector:(SEL)aSelector;
- (id)performSelector:(SEL)aSelector;
- (id)performSelector:(SEL)aSelector withObject:(id)object;
- (id)performSelector:(SEL)aSelector withObject:(id)object1 withObject:(id)object2;
- (instancetype)retain PULSARO_ARC_UNAVAILABLE;
- (oneway void)release PULSARO_ARC_UNAVAILABLE;
- (instancetype)autorelease PULSARO_ARC_UNAVAILABLE;
- (NSUInteger)retainCount PULSARO_ARC_UNAVAILABLE;
@property(readonly, copy) NSString* description;
@optional
@property(readonly, copy) NSString* debugDescription;

@end

@protocol NSCopying
- (id)copyWithZone:(void*)zone;
@end

@protocol NSMutableCopying
- (id)mutableCopyWithZone:(void*)zone;
@end

@protocol NSSecureCoding
@end

typedef struct {
    unsigned long state;
    id __unsafe_unretained* itemsPtr;
    unsigned long* mutationsPtr;
    unsigned long extra[5];
} NSFastEnumerationState;

// What for (x in collection) asks.
@protocol NSFastEnumeration
- (NSUInteger)countByEnumeratingWithState:(NSFastEnumerationState*)state
                                  objects:(id __unsafe_unretained[])buffer
                                    count:(NSUInteger)len;
@end

__attribute__((objc_root_class))
@interface NSObject<NSObject> {
    Class isa;
}

+ (void)load;
+ (void)initialize;
- (instancetype)init;
+ (instancetype)new;
+ (instancetype)alloc;
- (void)dealloc;
- (id)copy;
- (id)mutableCopy;
+ (Class)class;
+ (Class)superclass;
+ (BOOL)instancesRespondToSelector:(SEL)aSelector;
+ (BOOL)conformsToProtocol:(Protocol*)protocol;
+ (BOOL)isSubclassOfClass:(Class)aClass;
+ (NSString*)description;

- (void)performSelectorOnMainThread:(SEL)aSelector withObject:(id)arg waitUntilDone:(BOOL)wait;
- (void)performSelector:(SEL)aSelector withObject:(id)anArgument afterDelay:(NSTimeInterval)delay;
+ (void)cancelPreviousPerformRequestsWithTarget:(id)aTarget;

@end

// Between CoreFoundation and Objective-C ownership: CFBridgingRelease hands an owned CF reference
// to ARC; CFBridgingRetain gives an ARC object a CF reference the caller must CFRelease.
#if __has_feature(objc_arc)
static inline id CFBridgingRelease(CFTypeRef X) {
    return (__bridge_transfer id)X;
}
static inline CFTypeRef CFBridgingRetain(id X) {
    return (__bridge_retained CFTypeRef)X;
}
#else
// Without ARC (the check against LLVM's C++ library reads the files so), as the SDK has them.
static inline id CFBridgingRelease(CFTypeRef X) {
    return [(id)X autorelease];
}
static inline CFTypeRef CFBridgingRetain(id X) {
    return X ? CFRetain((CFTypeRef)X) : NULL;
}
#endif
