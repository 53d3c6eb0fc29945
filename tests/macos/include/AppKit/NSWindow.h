// Stand-in for the macOS SDK (syntax check only): windows.
#pragma once

#include <AppKit/NSAccessibility.h>
#include <AppKit/NSAppearance.h>
#include <AppKit/NSResponder.h>

@class NSScreen;
@class NSView;

typedef NSInteger NSWindowLevel;
static const NSWindowLevel NSNormalWindowLevel = 0;
static const NSWindowLevel NSFloatingWindowLevel = 3;
static const NSWindowLevel NSStatusWindowLevel = 25;
static const NSWindowLevel NSPopUpMenuWindowLevel = 101;

@interface NSWindow : NSResponder <NSAccessibility, NSAppearanceCustomization>

@property(readonly) NSRect frame;
@property(readonly, strong) NSScreen* screen;
@property(readonly) CGFloat backingScaleFactor;
@property(strong) NSView* contentView;
@property NSWindowLevel level;
@property(readonly) NSInteger windowNumber;
@property(getter=isVisible, readonly) BOOL visible;
@property(getter=isKeyWindow, readonly) BOOL keyWindow;
@property(copy) NSString* title;

// Between the window's base coordinates and the screen's.
- (NSRect)convertRectToScreen:(NSRect)rect;
- (NSRect)convertRectFromScreen:(NSRect)rect;
- (NSPoint)convertPointToScreen:(NSPoint)point;
- (NSPoint)convertPointFromScreen:(NSPoint)point;

- (void)setFrame:(NSRect)frameRect display:(BOOL)flag;
- (void)orderFront:(id)sender;
- (void)orderOut:(id)sender;
- (void)makeKeyAndOrderFront:(id)sender;
- (void)close;

@end
