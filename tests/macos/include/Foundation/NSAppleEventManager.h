// Stand-in for the macOS SDK (syntax check only): the Apple event being handled. Outside a
// handler (and outside the application delegate's launch and quit callbacks) it is nil.
#pragma once

#include <CoreServices/CoreServices.h>
#include <Foundation/NSObject.h>

@class NSAppleEventDescriptor;

@interface NSAppleEventManager : NSObject

+ (NSAppleEventManager*)sharedAppleEventManager;
@property(readonly, retain) NSAppleEventDescriptor* currentAppleEvent;
@property(readonly, retain) NSAppleEventDescriptor* currentReplyAppleEvent;
// The handler is not retained. The selector takes (NSAppleEventDescriptor* event,
// NSAppleEventDescriptor* reply).
- (void)setEventHandler:(id)handler
            andSelector:(SEL)handleEventSelector
          forEventClass:(AEEventClass)eventClass
             andEventID:(AEEventID)eventID;
- (void)removeEventHandlerForEventClass:(AEEventClass)eventClass andEventID:(AEEventID)eventID;

@end
