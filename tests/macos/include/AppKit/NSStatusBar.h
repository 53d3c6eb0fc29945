// Stand-in for the macOS SDK (syntax check only): the menu bar's status area. The status bar
// does not keep the items it makes: the caller keeps the NSStatusItem strongly, and the item
// leaves the menu bar when it is released or removed.
#pragma once

#include <AppKit/NSButton.h>
#include <AppKit/NSMenu.h>

@class NSStatusItem;

// Lengths for statusItemWithLength:.
static const CGFloat NSVariableStatusItemLength = -1;
static const CGFloat NSSquareStatusItemLength = -2;

@interface NSStatusBar : NSObject
@property(class, readonly, strong) NSStatusBar* systemStatusBar;
- (NSStatusItem*)statusItemWithLength:(CGFloat)length;
- (void)removeStatusItem:(NSStatusItem*)item;
@property(readonly, getter=isVertical) BOOL vertical;
@property(readonly) CGFloat thickness;
@end

// The button a status item shows; its window is the item's window in the menu bar.
@interface NSStatusBarButton : NSButton
@property BOOL appearsDisabled;
@end

typedef NS_OPTIONS(NSUInteger, NSStatusItemBehavior) {
    NSStatusItemBehaviorRemovalAllowed = (1 << 1),
    NSStatusItemBehaviorTerminationOnRemoval = (1 << 2),
};

#define PULSARO_STATUS_ITEM_DEPRECATED __attribute__((deprecated("use the status item's button")))

@interface NSStatusItem : NSObject

@property(readonly, weak) NSStatusBar* statusBar;
@property CGFloat length;
// When set, a click opens this menu instead of firing the button's action.
@property(strong) NSMenu* menu;
@property(readonly, strong) NSStatusBarButton* button;
@property NSStatusItemBehavior behavior;
@property(getter=isVisible) BOOL visible;
@property(copy) NSString* autosaveName;

// Deprecated since macOS 10.14: go through `button`.
@property SEL action PULSARO_STATUS_ITEM_DEPRECATED;
@property(weak) id target PULSARO_STATUS_ITEM_DEPRECATED;
@property(copy) NSString* title PULSARO_STATUS_ITEM_DEPRECATED;
@property(strong) NSImage* image PULSARO_STATUS_ITEM_DEPRECATED;
@property(copy) NSString* toolTip PULSARO_STATUS_ITEM_DEPRECATED;
@property BOOL highlightMode PULSARO_STATUS_ITEM_DEPRECATED;
@property(strong) NSView* view PULSARO_STATUS_ITEM_DEPRECATED;
- (NSInteger)sendActionOn:(NSEventMask)mask PULSARO_STATUS_ITEM_DEPRECATED;
- (void)popUpStatusItemMenu:(NSMenu*)menu PULSARO_STATUS_ITEM_DEPRECATED;

@end
