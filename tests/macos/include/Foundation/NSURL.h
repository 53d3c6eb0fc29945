// Stand-in for the macOS SDK (syntax check only): file and web addresses.
#pragma once

#include <Foundation/NSObject.h>

@class NSString;

@interface NSURL : NSObject <NSCopying, NSSecureCoding>

+ (instancetype)fileURLWithPath:(NSString*)path;
+ (instancetype)fileURLWithPath:(NSString*)path isDirectory:(BOOL)isDir;
// nil when the string is not a valid address.
+ (instancetype)URLWithString:(NSString*)URLString;
@property(readonly, copy) NSString* path;
@property(readonly, copy) NSString* absoluteString;
@property(readonly, copy) NSString* lastPathComponent;
@property(readonly, getter=isFileURL) BOOL fileURL;
@property(readonly) const char* fileSystemRepresentation NS_RETURNS_INNER_POINTER;
- (NSURL*)URLByAppendingPathComponent:(NSString*)pathComponent;

@end
