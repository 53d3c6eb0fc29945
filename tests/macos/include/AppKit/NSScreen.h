// Stand-in for the macOS SDK (syntax check only): screens. Frames are in Cocoa screen coordinates
// (origin at the bottom left of the primary screen, the first of `screens`; y up).
#pragma once

#include <Foundation/Foundation.h>

@interface NSScreen : NSObject
// The screen with the key window (not necessarily the primary one).
@property(class, readonly, strong) NSScreen* mainScreen;
@property(class, readonly, copy) NSArray<NSScreen*>* screens;
@property(readonly) NSRect frame;
@property(readonly) NSRect visibleFrame;
@property(readonly) CGFloat backingScaleFactor;
@property(readonly, copy) NSString* localizedName;
@property(readonly, copy) NSDictionary<NSString*, id>* deviceDescription;
@end
