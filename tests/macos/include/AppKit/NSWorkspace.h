// Stand-in for the macOS SDK (syntax check only): the workspace and its own notification centre
// (the workspace notifications are posted there, not on the default centre).
#pragma once

#include <Foundation/Foundation.h>

@class NSImage;
@class NSRunningApplication;

#ifdef __cplusplus
extern "C" {
#endif
extern NSNotificationName const NSWorkspaceWillPowerOffNotification;
extern NSNotificationName const NSWorkspaceWillSleepNotification;
extern NSNotificationName const NSWorkspaceDidWakeNotification;
extern NSNotificationName const NSWorkspaceScreensDidSleepNotification;
extern NSNotificationName const NSWorkspaceScreensDidWakeNotification;
extern NSNotificationName const NSWorkspaceSessionDidBecomeActiveNotification;
extern NSNotificationName const NSWorkspaceSessionDidResignActiveNotification;
extern NSNotificationName const NSWorkspaceDidActivateApplicationNotification;
extern NSNotificationName const NSWorkspaceDidTerminateApplicationNotification;
// The application in the userInfo of the application notifications.
extern NSString* const NSWorkspaceApplicationKey;
#ifdef __cplusplus
}
#endif

@interface NSWorkspace : NSObject

@property(class, readonly, strong) NSWorkspace* sharedWorkspace;
@property(readonly, strong) NSNotificationCenter* notificationCenter;
@property(readonly, copy) NSArray<NSRunningApplication*>* runningApplications;
@property(readonly, strong) NSRunningApplication* frontmostApplication;
@property(readonly, strong) NSRunningApplication* menuBarOwningApplication;
// The accessibility display option "Reduce motion" (macOS 10.12).
@property(readonly) BOOL accessibilityDisplayShouldReduceMotion;
- (NSImage*)iconForFile:(NSString*)fullPath;
- (BOOL)openURL:(NSURL*)url;
- (NSURL*)URLForApplicationWithBundleIdentifier:(NSString*)bundleIdentifier;

@end
