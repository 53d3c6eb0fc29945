// Stand-in for the macOS SDK (syntax check only): controls send their action to their target.
// The target is not retained (weak): whoever owns it keeps it alive while the control can fire.
#pragma once

#include <AppKit/NSEvent.h>
#include <AppKit/NSView.h>

@interface NSControl : NSView

@property(weak) id target;
@property SEL action;
@property NSInteger tag;
@property(getter=isEnabled) BOOL enabled;
@property(copy) NSString* stringValue;
// Which events fire the action (NSEventMaskLeftMouseUp by default); returns the old mask.
- (NSInteger)sendActionOn:(NSEventMask)mask;
- (BOOL)sendAction:(SEL)action to:(id)target;
// Highlights and fires the action as a click would.
- (void)performClick:(id)sender;

@end
