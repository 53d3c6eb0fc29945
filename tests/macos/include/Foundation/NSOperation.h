// Stand-in for the macOS SDK (syntax check only): the queue a notification block runs on.
#pragma once

#include <Foundation/NSObject.h>

@interface NSOperationQueue : NSObject
@property(class, readonly, strong) NSOperationQueue* mainQueue;
@property(class, readonly, strong) NSOperationQueue* currentQueue;
- (void)addOperationWithBlock:(void (^)(void))block;
@end
