// Stand-in for the macOS SDK (syntax check only): which thread runs. AppKit is main-thread only.
#pragma once

#include <Foundation/NSObject.h>

@interface NSThread : NSObject
@property(class, readonly) BOOL isMainThread;
@end
