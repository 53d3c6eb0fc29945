// Stand-in for the macOS SDK (syntax check only): on 64-bit Macs the Foundation rectangle is the
// CoreGraphics one. Cocoa screen coordinates: origin at the bottom left of the primary screen, y up.
#pragma once

#include <CoreGraphics/CoreGraphics.h>
#include <Foundation/NSObjCRuntime.h>

typedef CGPoint NSPoint;
typedef CGSize NSSize;
typedef CGRect NSRect;
typedef NSPoint* NSPointPointer;
typedef NSRect* NSRectPointer;

static inline NSPoint NSMakePoint(CGFloat x, CGFloat y) {
    return CGPointMake(x, y);
}
static inline NSSize NSMakeSize(CGFloat w, CGFloat h) {
    return CGSizeMake(w, h);
}
static inline NSRect NSMakeRect(CGFloat x, CGFloat y, CGFloat w, CGFloat h) {
    return CGRectMake(x, y, w, h);
}
static inline CGFloat NSMinX(NSRect aRect) {
    return aRect.origin.x;
}
static inline CGFloat NSMinY(NSRect aRect) {
    return aRect.origin.y;
}
static inline CGFloat NSMaxX(NSRect aRect) {
    return aRect.origin.x + aRect.size.width;
}
static inline CGFloat NSMaxY(NSRect aRect) {
    return aRect.origin.y + aRect.size.height;
}
static inline CGFloat NSWidth(NSRect aRect) {
    return aRect.size.width;
}
static inline CGFloat NSHeight(NSRect aRect) {
    return aRect.size.height;
}

#ifdef __cplusplus
extern "C" {
#endif
extern const NSPoint NSZeroPoint;
extern const NSSize NSZeroSize;
extern const NSRect NSZeroRect;
BOOL NSEqualRects(NSRect aRect, NSRect bRect);
BOOL NSIsEmptyRect(NSRect aRect);
BOOL NSPointInRect(NSPoint aPoint, NSRect aRect);
NSRect NSInsetRect(NSRect aRect, CGFloat dX, CGFloat dY);
NSRect NSIntersectionRect(NSRect aRect, NSRect bRect);
#ifdef __cplusplus
}
#endif
