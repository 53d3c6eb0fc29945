// Stand-in for the macOS SDK (syntax check only): a running application seen from outside.
#pragma once

#include <Foundation/Foundation.h>

@class NSImage;

typedef NS_OPTIONS(NSUInteger, NSApplicationActivationOptions) {
    NSApplicationActivateAllWindows = 1 << 0,
    NSApplicationActivateIgnoringOtherApps __attribute__((deprecated("ignored since macOS 14"))) = 1 << 1,
};

typedef NS_ENUM(NSInteger, NSApplicationActivationPolicy) {
    NSApplicationActivationPolicyRegular = 0,
    NSApplicationActivationPolicyAccessory = 1,
    NSApplicationActivationPolicyProhibited = 2,
};

@interface NSRunningApplication : NSObject

@property(class, readonly, strong) NSRunningApplication* currentApplication;
// nil when no application runs under that process id.
+ (instancetype)runningApplicationWithProcessIdentifier:(pid_t)pid;
+ (NSArray<NSRunningApplication*>*)runningApplicationsWithBundleIdentifier:(NSString*)bundleIdentifier;

@property(readonly, copy) NSString* localizedName;
@property(readonly, strong) NSImage* icon;
@property(readonly, copy) NSString* bundleIdentifier;
@property(readonly, copy) NSURL* bundleURL;
@property(readonly, copy) NSURL* executableURL;
@property(readonly) pid_t processIdentifier;
@property(readonly, copy) NSDate* launchDate;
@property(readonly) NSApplicationActivationPolicy activationPolicy;
@property(readonly, getter=isTerminated) BOOL terminated;
@property(readonly, getter=isActive) BOOL active;
@property(readonly, getter=isHidden) BOOL hidden;
- (BOOL)activateWithOptions:(NSApplicationActivationOptions)options;
- (BOOL)hide;
- (BOOL)unhide;
- (BOOL)terminate;

@end
