// Stand-in for the macOS SDK (syntax check only): arrays (and the @[...] literal). Elements are
// kept strongly by the array; what an accessor returns is not owned by the caller.
#pragma once

#include <Foundation/NSObject.h>

@interface NSArray<__covariant ObjectType>
    : NSObject <NSCopying, NSMutableCopying, NSSecureCoding, NSFastEnumeration>

@property(readonly) NSUInteger count;
- (ObjectType)objectAtIndex:(NSUInteger)index;
- (ObjectType)objectAtIndexedSubscript:(NSUInteger)idx;
@property(readonly) ObjectType firstObject;
@property(readonly) ObjectType lastObject;
- (BOOL)containsObject:(ObjectType)anObject;
- (NSUInteger)indexOfObject:(ObjectType)anObject;
- (NSArray<ObjectType>*)arrayByAddingObject:(ObjectType)anObject;
- (void)enumerateObjectsUsingBlock:(void (^)(ObjectType obj, NSUInteger idx, BOOL* stop))block;

+ (instancetype)array;
+ (instancetype)arrayWithObject:(ObjectType)anObject;
+ (instancetype)arrayWithObjects:(const ObjectType[])objects count:(NSUInteger)cnt;
+ (instancetype)arrayWithArray:(NSArray<ObjectType>*)array;
- (instancetype)initWithObjects:(const ObjectType[])objects count:(NSUInteger)cnt;

@end

@interface NSMutableArray<ObjectType> : NSArray <ObjectType>

+ (instancetype)arrayWithCapacity:(NSUInteger)numItems;
- (void)addObject:(ObjectType)anObject;
- (void)insertObject:(ObjectType)anObject atIndex:(NSUInteger)index;
- (void)removeObject:(ObjectType)anObject;
- (void)removeObjectAtIndex:(NSUInteger)index;
- (void)removeAllObjects;
- (void)setObject:(ObjectType)obj atIndexedSubscript:(NSUInteger)idx;

@end
