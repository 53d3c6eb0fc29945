// Stand-in for the macOS SDK (syntax check only): facts about this process and the machine.
#pragma once

#include <Foundation/NSObject.h>

@class NSString;
@class NSArray<ObjectType>;
@class NSDictionary<KeyType, ObjectType>;

typedef struct {
    NSInteger majorVersion;
    NSInteger minorVersion;
    NSInteger patchVersion;
} NSOperatingSystemVersion;

@interface NSProcessInfo : NSObject

@property(class, readonly, strong) NSProcessInfo* processInfo;
@property(readonly, copy) NSDictionary<NSString*, NSString*>* environment;
@property(readonly, copy) NSArray<NSString*>* arguments;
@property(readonly) int processIdentifier;
@property(copy) NSString* processName;
@property(readonly) unsigned long long physicalMemory;
@property(readonly) NSUInteger processorCount;
@property(readonly) NSUInteger activeProcessorCount;
@property(readonly) NSTimeInterval systemUptime;
@property(readonly) NSOperatingSystemVersion operatingSystemVersion;
- (BOOL)isOperatingSystemAtLeastVersion:(NSOperatingSystemVersion)version;
- (void)disableSuddenTermination;
- (void)enableSuddenTermination;

@end
