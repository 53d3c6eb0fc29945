// Stand-in for the macOS SDK (syntax check only): the application object and its delegate.
// NSApp keeps its delegate weakly: the delegate's owner keeps it alive. Qt installs its own
// delegate; one set before the QApplication exists is kept by Qt and called back.
#pragma once

#include <AppKit/NSAppearance.h>
#include <AppKit/NSEvent.h>
#include <AppKit/NSResponder.h>
#include <AppKit/NSRunningApplication.h>

@class NSImage;
@class NSMenu;
@class NSWindow;
@protocol NSApplicationDelegate;

typedef NS_ENUM(NSUInteger, NSApplicationTerminateReply) {
    NSTerminateCancel = 0,
    NSTerminateNow = 1,
    NSTerminateLater = 2,
};

#ifdef __cplusplus
extern "C" {
#endif
extern NSNotificationName const NSApplicationWillFinishLaunchingNotification;
extern NSNotificationName const NSApplicationDidFinishLaunchingNotification;
extern NSNotificationName const NSApplicationWillTerminateNotification;
extern NSNotificationName const NSApplicationDidBecomeActiveNotification;
extern NSNotificationName const NSApplicationDidResignActiveNotification;
extern NSNotificationName const NSApplicationDidChangeScreenParametersNotification;
// Set in the launch notification's userInfo: the application was opened by default (not a document).
extern NSString* const NSApplicationLaunchIsDefaultLaunchKey;
#ifdef __cplusplus
}
#endif

@interface NSApplication : NSResponder <NSAppearanceCustomization>

@property(class, readonly, strong) __kindof NSApplication* sharedApplication;
@property(weak) id<NSApplicationDelegate> delegate;
@property(readonly, strong) NSEvent* currentEvent;
@property(readonly, getter=isActive) BOOL active;
@property(readonly, getter=isRunning) BOOL running;
@property(readonly, copy) NSArray<NSWindow*>* windows;
@property(readonly, weak) NSWindow* keyWindow;
@property(readonly, weak) NSWindow* mainWindow;
@property(strong) NSMenu* mainMenu;
@property(strong) NSImage* applicationIconImage;

// YES when the policy was changed.
- (BOOL)setActivationPolicy:(NSApplicationActivationPolicy)activationPolicy;
- (NSApplicationActivationPolicy)activationPolicy;
- (void)activateIgnoringOtherApps:(BOOL)flag;
// macOS 14 and later: guard it with @available.
- (void)activate;
- (void)hide:(id)sender;
- (void)unhide:(id)sender;
- (void)terminate:(id)sender;
- (void)replyToApplicationShouldTerminate:(BOOL)shouldTerminate;
- (void)orderFrontStandardAboutPanel:(id)sender;
- (void)run;
- (void)stop:(id)sender;

@end

// The shared application; nil before sharedApplication was first called.
#ifdef __cplusplus
extern "C" {
#endif
extern __kindof NSApplication* NSApp;
#ifdef __cplusplus
}
#endif

@protocol NSApplicationDelegate <NSObject>
@optional
- (void)applicationWillFinishLaunching:(NSNotification*)notification;
- (void)applicationDidFinishLaunching:(NSNotification*)notification;
// Dock icon clicked (or the application opened again); YES lets AppKit do its default.
- (BOOL)applicationShouldHandleReopen:(NSApplication*)sender hasVisibleWindows:(BOOL)flag;
- (NSApplicationTerminateReply)applicationShouldTerminate:(NSApplication*)sender;
- (BOOL)applicationShouldTerminateAfterLastWindowClosed:(NSApplication*)sender;
- (void)applicationWillTerminate:(NSNotification*)notification;
- (void)applicationDidBecomeActive:(NSNotification*)notification;
- (void)applicationDidResignActive:(NSNotification*)notification;
- (NSMenu*)applicationDockMenu:(NSApplication*)sender;
- (void)application:(NSApplication*)application openURLs:(NSArray<NSURL*>*)urls;
- (BOOL)applicationSupportsSecureRestorableState:(NSApplication*)app;
@end
