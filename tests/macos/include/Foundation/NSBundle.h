// Stand-in for the macOS SDK (syntax check only): the application bundle.
#pragma once

#include <Foundation/NSObject.h>

@class NSString;
@class NSURL;
@class NSDictionary<KeyType, ObjectType>;

@interface NSBundle : NSObject

@property(class, readonly, strong) NSBundle* mainBundle;
+ (instancetype)bundleWithIdentifier:(NSString*)identifier;
@property(readonly, copy) NSURL* bundleURL;
@property(readonly, copy) NSString* bundlePath;
@property(readonly, copy) NSURL* executableURL;
@property(readonly, copy) NSString* bundleIdentifier;
@property(readonly, copy) NSDictionary<NSString*, id>* infoDictionary;
- (id)objectForInfoDictionaryKey:(NSString*)key;
- (NSString*)pathForResource:(NSString*)name ofType:(NSString*)ext;

@end
