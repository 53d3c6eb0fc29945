// Stand-in for the macOS SDK (syntax check only): menus. A menu keeps its items strongly; an
// item's target is weak.
#pragma once

#include <AppKit/NSButton.h>
#include <AppKit/NSEvent.h>
#include <Foundation/Foundation.h>

@class NSImage;
@class NSMenuItem;
@class NSView;
@protocol NSMenuDelegate;

@interface NSMenu : NSObject <NSCopying, NSAccessibility>

- (instancetype)initWithTitle:(NSString*)title NS_DESIGNATED_INITIALIZER;
@property(copy) NSString* title;
@property(weak) id<NSMenuDelegate> delegate;
@property BOOL autoenablesItems;
@property(readonly) NSInteger numberOfItems;
@property(copy) NSArray<NSMenuItem*>* itemArray;
- (NSMenuItem*)itemAtIndex:(NSInteger)index;
- (void)addItem:(NSMenuItem*)newItem;
- (void)insertItem:(NSMenuItem*)newItem atIndex:(NSInteger)index;
- (NSMenuItem*)addItemWithTitle:(NSString*)string action:(SEL)selector keyEquivalent:(NSString*)charCode;
- (void)removeItem:(NSMenuItem*)item;
- (void)removeAllItems;
// Runs the menu modally; YES when an item was chosen. location is in view's coordinates (or the
// screen's when view is nil).
- (BOOL)popUpMenuPositioningItem:(NSMenuItem*)item atLocation:(NSPoint)location inView:(NSView*)view;
- (void)cancelTracking;

@end

@protocol NSMenuDelegate <NSObject>
@optional
- (void)menuNeedsUpdate:(NSMenu*)menu;
- (void)menuWillOpen:(NSMenu*)menu;
- (void)menuDidClose:(NSMenu*)menu;
@end

@interface NSMenuItem : NSObject <NSCopying, NSAccessibility>

+ (NSMenuItem*)separatorItem;
- (instancetype)initWithTitle:(NSString*)string
                       action:(SEL)selector
                keyEquivalent:(NSString*)charCode NS_DESIGNATED_INITIALIZER;
@property(copy) NSString* title;
@property(weak) id target;
@property SEL action;
@property NSInteger tag;
@property(getter=isEnabled) BOOL enabled;
@property(getter=isHidden) BOOL hidden;
@property NSControlStateValue state;
@property(strong) NSImage* image;
@property(strong) NSMenu* submenu;
@property(strong) id representedObject;
@property(copy) NSString* keyEquivalent;
@property NSEventModifierFlags keyEquivalentModifierMask;
@property(readonly, getter=isSeparatorItem) BOOL separatorItem;

@end
