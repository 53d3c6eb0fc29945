// Stand-in for the macOS SDK (syntax check only): the Foundation classes the Objective-C++
// files use, declared from Apple's public documentation. Objective-C++ only.
#pragma once

#include <CoreFoundation/CoreFoundation.h>
#include <Foundation/NSAppleEventDescriptor.h>
#include <Foundation/NSAppleEventManager.h>
#include <Foundation/NSArray.h>
#include <Foundation/NSBundle.h>
#include <Foundation/NSData.h>
#include <Foundation/NSDate.h>
#include <Foundation/NSDictionary.h>
#include <Foundation/NSError.h>
#include <Foundation/NSGeometry.h>
#include <Foundation/NSNotification.h>
#include <Foundation/NSObjCRuntime.h>
#include <Foundation/NSObject.h>
#include <Foundation/NSOperation.h>
#include <Foundation/NSProcessInfo.h>
#include <Foundation/NSString.h>
#include <Foundation/NSThread.h>
#include <Foundation/NSURL.h>
#include <Foundation/NSUserDefaults.h>
#include <Foundation/NSValue.h>
#include <dispatch/dispatch.h>
