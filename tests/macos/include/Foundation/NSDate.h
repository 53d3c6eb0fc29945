// Stand-in for the macOS SDK (syntax check only): points in time.
#pragma once

#include <Foundation/NSObject.h>

@interface NSDate : NSObject <NSCopying, NSSecureCoding>
+ (instancetype)date;
@property(readonly) NSTimeInterval timeIntervalSinceNow;
@property(readonly) NSTimeInterval timeIntervalSince1970;
- (NSTimeInterval)timeIntervalSinceDate:(NSDate*)anotherDate;
@end
