// Stand-in for the macOS SDK (syntax check only): images. Sizes are in points. An NSImage made
// from a CGImage keeps its own reference: the caller still releases the CGImage it owns.
// In Objective-C++ the template flag is set with [image setTemplate:...]: `template` is a C++
// keyword, so image.template does not compile.
#pragma once

#include <AppKit/NSAccessibility.h>
#include <CoreGraphics/CoreGraphics.h>
#include <Foundation/Foundation.h>

@class NSGraphicsContext;
@class NSImageRep;

typedef NSString* NSImageName;
typedef NSString* NSImageHintKey;

@interface NSImage : NSObject <NSCopying, NSSecureCoding>

+ (NSImage*)imageNamed:(NSImageName)name;
// macOS 11 and later; nil when the symbol does not exist.
+ (NSImage*)imageWithSystemSymbolName:(NSString*)name accessibilityDescription:(NSString*)description;
- (instancetype)initWithSize:(NSSize)size;
- (instancetype)initWithCGImage:(CGImageRef)cgImage size:(NSSize)size;
- (instancetype)initWithData:(NSData*)data;
- (instancetype)initWithContentsOfURL:(NSURL*)url;

@property NSSize size;
- (void)setTemplate:(BOOL)isTemplate;
- (BOOL)isTemplate;
@property(copy) NSString* accessibilityDescription;
@property(readonly, copy) NSArray<NSImageRep*>* representations;
- (void)addRepresentation:(NSImageRep*)imageRep;
@property(readonly, copy) NSData* TIFFRepresentation;
@property(readonly, getter=isValid) BOOL valid;

// Not owned: valid while the image lives. proposedDestRect is in and out.
- (CGImageRef)CGImageForProposedRect:(NSRect*)proposedDestRect
                             context:(NSGraphicsContext*)referenceContext
                               hints:(NSDictionary<NSImageHintKey, id>*)hints;

@end

@interface NSImageRep : NSObject <NSCopying>
@property NSSize size;
@property NSInteger pixelsWide;
@property NSInteger pixelsHigh;
@end

typedef NS_ENUM(NSUInteger, NSBitmapImageFileType) {
    NSBitmapImageFileTypeTIFF = 0,
    NSBitmapImageFileTypeBMP = 1,
    NSBitmapImageFileTypeGIF = 2,
    NSBitmapImageFileTypeJPEG = 3,
    NSBitmapImageFileTypePNG = 4,
    NSBitmapImageFileTypeJPEG2000 = 5,
};

typedef NSString* NSBitmapImageRepPropertyKey;

@interface NSBitmapImageRep : NSImageRep
// Keeps its own reference to the image.
- (instancetype)initWithCGImage:(CGImageRef)cgImage;
- (instancetype)initWithData:(NSData*)data;
// Not owned: valid while the representation lives.
@property(readonly) CGImageRef CGImage;
- (NSData*)representationUsingType:(NSBitmapImageFileType)storageType
                        properties:(NSDictionary<NSBitmapImageRepPropertyKey, id>*)properties;
@end

@interface NSGraphicsContext : NSObject
@property(class, strong) NSGraphicsContext* currentContext;
@end
