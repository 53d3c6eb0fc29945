// Stand-in for the macOS SDK (syntax check only): strings. UTF8String points into storage the
// string owns (or autoreleased storage): copy it before the string or the pool goes away.
#pragma once

#include <Foundation/NSObject.h>

typedef NSUInteger NSStringEncoding;
enum : NSStringEncoding {
    NSASCIIStringEncoding = 1,
    NSUTF8StringEncoding = 4,
};

typedef NS_OPTIONS(NSUInteger, NSStringCompareOptions) {
    NSCaseInsensitiveSearch = 1,
    NSLiteralSearch = 2,
    NSBackwardsSearch = 4,
    NSAnchoredSearch = 8,
    NSNumericSearch = 64,
};

@class NSArray<ObjectType>;
@class NSData;

@interface NSString : NSObject <NSCopying, NSMutableCopying, NSSecureCoding>

@property(readonly) NSUInteger length;
- (unsigned short)characterAtIndex:(NSUInteger)index;

+ (instancetype)string;
+ (instancetype)stringWithString:(NSString*)string;
// nil when the bytes are not valid UTF-8.
+ (instancetype)stringWithUTF8String:(const char*)nullTerminatedCString;
+ (instancetype)stringWithFormat:(NSString*)format, ... NS_FORMAT_FUNCTION(1, 2);
+ (instancetype)stringWithCString:(const char*)cString encoding:(NSStringEncoding)enc;
- (instancetype)initWithUTF8String:(const char*)nullTerminatedCString;
- (instancetype)initWithString:(NSString*)aString;
- (instancetype)initWithFormat:(NSString*)format, ... NS_FORMAT_FUNCTION(1, 2);
- (instancetype)initWithBytes:(const void*)bytes length:(NSUInteger)len encoding:(NSStringEncoding)encoding;
- (instancetype)initWithData:(NSData*)data encoding:(NSStringEncoding)encoding;

@property(readonly) const char* UTF8String NS_RETURNS_INNER_POINTER;
- (const char*)cStringUsingEncoding:(NSStringEncoding)encoding NS_RETURNS_INNER_POINTER;
- (NSUInteger)lengthOfBytesUsingEncoding:(NSStringEncoding)enc;
- (NSData*)dataUsingEncoding:(NSStringEncoding)encoding;

- (BOOL)isEqualToString:(NSString*)aString;
- (BOOL)hasPrefix:(NSString*)str;
- (BOOL)hasSuffix:(NSString*)str;
- (BOOL)containsString:(NSString*)str;
- (NSComparisonResult)compare:(NSString*)string;
- (NSComparisonResult)compare:(NSString*)string options:(NSStringCompareOptions)mask;
- (NSComparisonResult)caseInsensitiveCompare:(NSString*)string;

- (NSString*)stringByAppendingString:(NSString*)aString;
- (NSString*)stringByAppendingFormat:(NSString*)format, ... NS_FORMAT_FUNCTION(1, 2);
- (NSString*)substringFromIndex:(NSUInteger)from;
- (NSString*)substringToIndex:(NSUInteger)to;
- (NSArray<NSString*>*)componentsSeparatedByString:(NSString*)separator;
@property(readonly, copy) NSString* lowercaseString;
@property(readonly, copy) NSString* uppercaseString;
@property(readonly) int intValue;
@property(readonly) NSInteger integerValue;
@property(readonly) long long longLongValue;
@property(readonly) double doubleValue;
@property(readonly) BOOL boolValue;

// Paths.
@property(readonly, copy) NSString* lastPathComponent;
@property(readonly, copy) NSString* stringByDeletingLastPathComponent;
@property(readonly, copy) NSString* stringByStandardizingPath;
- (NSString*)stringByAppendingPathComponent:(NSString*)str;
@property(readonly) const char* fileSystemRepresentation NS_RETURNS_INNER_POINTER;

@end

@interface NSMutableString : NSString
+ (instancetype)stringWithCapacity:(NSUInteger)capacity;
- (void)appendString:(NSString*)aString;
- (void)appendFormat:(NSString*)format, ... NS_FORMAT_FUNCTION(1, 2);
- (void)setString:(NSString*)aString;
@end

// The class of @"..." literals.
@interface NSConstantString : NSString
@end
