// Stand-in for the macOS SDK (syntax check only): buttons.
#pragma once

#include <AppKit/NSControl.h>

@class NSImage;

typedef NS_ENUM(NSUInteger, NSCellImagePosition) {
    NSNoImage = 0,
    NSImageOnly = 1,
    NSImageLeft = 2,
    NSImageRight = 3,
    NSImageBelow = 4,
    NSImageAbove = 5,
    NSImageOverlaps = 6,
    NSImageLeading = 7,
    NSImageTrailing = 8,
};

typedef NS_ENUM(NSUInteger, NSImageScaling) {
    NSImageScaleProportionallyDown = 0,
    NSImageScaleAxesIndependently = 1,
    NSImageScaleNone = 2,
    NSImageScaleProportionallyUpOrDown = 3,
};

typedef NSInteger NSControlStateValue;
static const NSControlStateValue NSControlStateValueMixed = -1;
static const NSControlStateValue NSControlStateValueOff = 0;
static const NSControlStateValue NSControlStateValueOn = 1;

@interface NSButton : NSControl

@property(copy) NSString* title;
@property(strong) NSImage* image;
@property(strong) NSImage* alternateImage;
@property NSCellImagePosition imagePosition;
@property NSImageScaling imageScaling;
@property NSControlStateValue state;
@property(getter=isBordered) BOOL bordered;
- (void)highlight:(BOOL)flag;

@end
