// Stand-in for the macOS SDK (syntax check only): views. A view keeps its subviews strongly and
// its window weakly.
#pragma once

#include <AppKit/NSAccessibility.h>
#include <AppKit/NSAppearance.h>
#include <AppKit/NSResponder.h>

@class NSWindow;

@interface NSView : NSResponder <NSAccessibility, NSAppearanceCustomization>

- (instancetype)initWithFrame:(NSRect)frameRect NS_DESIGNATED_INITIALIZER;
@property(readonly, weak) NSWindow* window;
@property(readonly, weak) NSView* superview;
@property(copy) NSArray<__kindof NSView*>* subviews;
@property NSRect frame;
@property NSRect bounds;
@property(getter=isHidden) BOOL hidden;
@property(copy) NSString* toolTip;
@property BOOL needsDisplay;
@property BOOL wantsLayer;
@property(getter=isFlipped, readonly) BOOL flipped;

// aView nil means the window's base coordinates.
- (NSRect)convertRect:(NSRect)rect toView:(NSView*)view;
- (NSRect)convertRect:(NSRect)rect fromView:(NSView*)view;
- (NSPoint)convertPoint:(NSPoint)point toView:(NSView*)view;
- (NSPoint)convertPoint:(NSPoint)point fromView:(NSView*)view;

- (void)addSubview:(NSView*)view;
- (void)removeFromSuperview;
- (void)setNeedsDisplayInRect:(NSRect)invalidRect;
- (void)display;
- (void)drawRect:(NSRect)dirtyRect;

@end
