// Stand-in for the macOS SDK (syntax check only): byte buffers. bytes points into storage the
// object owns: valid while the object lives.
#pragma once

#include <Foundation/NSObject.h>

@interface NSData : NSObject <NSCopying, NSMutableCopying, NSSecureCoding>

@property(readonly) NSUInteger length;
@property(readonly) const void* bytes NS_RETURNS_INNER_POINTER;
+ (instancetype)data;
+ (instancetype)dataWithBytes:(const void*)bytes length:(NSUInteger)length;
- (instancetype)initWithBytes:(const void*)bytes length:(NSUInteger)length;
- (BOOL)isEqualToData:(NSData*)other;

@end

@interface NSMutableData : NSData
@property(readonly) void* mutableBytes NS_RETURNS_INNER_POINTER;
- (void)appendBytes:(const void*)bytes length:(NSUInteger)length;
@end
