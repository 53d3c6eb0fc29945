// Stand-in for the macOS SDK (syntax check only): geometry and images. CGImageRef follows the
// Create rule: an image a Create or Copy call (or QImage::toCGImage) returns is owned and is
// released with CGImageRelease.
#pragma once

#include <CoreFoundation/CoreFoundation.h>
#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

typedef double CGFloat;
#define CGFLOAT_IS_DOUBLE 1

struct CGPoint {
    CGFloat x;
    CGFloat y;
};
typedef struct CGPoint CGPoint;

struct CGSize {
    CGFloat width;
    CGFloat height;
};
typedef struct CGSize CGSize;

// Origin at the bottom left, y up, in the screen coordinates of Cocoa.
struct CGRect {
    CGPoint origin;
    CGSize size;
};
typedef struct CGRect CGRect;

typedef struct CGImage* CGImageRef;
typedef struct CGColorSpace* CGColorSpaceRef;
typedef struct CGDataProvider* CGDataProviderRef;

// The alpha layout and the byte-order flags are combined into a CGBitmapInfo.
typedef enum : uint32_t {
    kCGImageAlphaNone = 0,
    kCGImageAlphaPremultipliedLast = 1,
    kCGImageAlphaPremultipliedFirst = 2,
    kCGImageAlphaLast = 3,
    kCGImageAlphaFirst = 4,
    kCGImageAlphaNoneSkipLast = 5,
    kCGImageAlphaNoneSkipFirst = 6,
} CGImageAlphaInfo;
typedef enum : uint32_t {
    kCGBitmapAlphaInfoMask = 0x1F,
    kCGBitmapByteOrderDefault = 0u << 12,
    kCGBitmapByteOrder16Little = 1u << 12,
    kCGBitmapByteOrder32Little = 2u << 12,
    kCGBitmapByteOrder16Big = 3u << 12,
    kCGBitmapByteOrder32Big = 4u << 12,
} CGBitmapInfo;
typedef enum : int32_t {
    kCGRenderingIntentDefault = 0,
    kCGRenderingIntentAbsoluteColorimetric = 1,
    kCGRenderingIntentRelativeColorimetric = 2,
    kCGRenderingIntentPerceptual = 3,
    kCGRenderingIntentSaturation = 4,
} CGColorRenderingIntent;
typedef UInt32 CGDirectDisplayID;

static inline CGPoint CGPointMake(CGFloat x, CGFloat y) {
    CGPoint p;
    p.x = x;
    p.y = y;
    return p;
}
static inline CGSize CGSizeMake(CGFloat width, CGFloat height) {
    CGSize s;
    s.width = width;
    s.height = height;
    return s;
}
static inline CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat width, CGFloat height) {
    CGRect r;
    r.origin = CGPointMake(x, y);
    r.size = CGSizeMake(width, height);
    return r;
}

#ifdef __cplusplus
extern "C" {
#endif

extern const CGPoint CGPointZero;
extern const CGSize CGSizeZero;
extern const CGRect CGRectZero;

CGFloat CGRectGetMinX(CGRect rect);
CGFloat CGRectGetMidX(CGRect rect);
CGFloat CGRectGetMaxX(CGRect rect);
CGFloat CGRectGetMinY(CGRect rect);
CGFloat CGRectGetMidY(CGRect rect);
CGFloat CGRectGetMaxY(CGRect rect);
CGFloat CGRectGetWidth(CGRect rect);
CGFloat CGRectGetHeight(CGRect rect);
bool CGRectEqualToRect(CGRect rect1, CGRect rect2);
bool CGRectIsEmpty(CGRect rect);
bool CGRectContainsPoint(CGRect rect, CGPoint point);

// Adds a reference and returns image (NULL passes through).
CGImageRef CGImageRetain(CGImageRef image);
// Drops a reference; NULL is allowed.
void CGImageRelease(CGImageRef image);
size_t CGImageGetWidth(CGImageRef image);
// Owned (Create rule); release with CGImageRelease.
CGImageRef CGImageCreate(size_t width, size_t height, size_t bitsPerComponent, size_t bitsPerPixel,
                         size_t bytesPerRow, CGColorSpaceRef space, CGBitmapInfo bitmapInfo,
                         CGDataProviderRef provider, const CGFloat* decode, bool shouldInterpolate,
                         CGColorRenderingIntent intent);

extern const CFStringRef kCGColorSpaceSRGB;
// Owned (Create rule); release with CGColorSpaceRelease.
CGColorSpaceRef CGColorSpaceCreateWithName(CFStringRef name);
void CGColorSpaceRelease(CGColorSpaceRef space);

// Owned (Create rule), retains data; release with CGDataProviderRelease.
CGDataProviderRef CGDataProviderCreateWithCFData(CFDataRef data);
void CGDataProviderRelease(CGDataProviderRef provider);
size_t CGImageGetHeight(CGImageRef image);

CGDirectDisplayID CGMainDisplayID(void);
CGRect CGDisplayBounds(CGDirectDisplayID display);

#ifdef __cplusplus
}
#endif
