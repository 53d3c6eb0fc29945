// Stand-in for the macOS SDK (syntax check only): Apple events and their parts. The descriptors
// returned are not owned by the caller; nil (or 0 for the values) when absent or not coercible.
#pragma once

#include <CoreServices/CoreServices.h>
#include <Foundation/NSObject.h>

@class NSString;
@class NSData;

@interface NSAppleEventDescriptor : NSObject <NSCopying, NSSecureCoding>

+ (NSAppleEventDescriptor*)nullDescriptor;
+ (NSAppleEventDescriptor*)descriptorWithBoolean:(Boolean)boolean;
+ (NSAppleEventDescriptor*)descriptorWithEnumCode:(OSType)enumerator;
+ (NSAppleEventDescriptor*)descriptorWithInt32:(SInt32)signedInt;
+ (NSAppleEventDescriptor*)descriptorWithTypeCode:(OSType)typeCode;
+ (NSAppleEventDescriptor*)descriptorWithString:(NSString*)string;

@property(readonly) DescType descriptorType;
@property(readonly) Boolean booleanValue;
@property(readonly) OSType enumCodeValue;
@property(readonly) SInt32 int32Value;
@property(readonly) OSType typeCodeValue;
@property(readonly, copy) NSString* stringValue;
@property(readonly, copy) NSData* data;

// Of an Apple event.
@property(readonly) AEEventClass eventClass;
@property(readonly) AEEventID eventID;
- (NSAppleEventDescriptor*)paramDescriptorForKeyword:(AEKeyword)keyword;
- (NSAppleEventDescriptor*)attributeDescriptorForKeyword:(AEKeyword)keyword;

// Of a list (indices start at 1).
@property(readonly) NSInteger numberOfItems;
- (NSAppleEventDescriptor*)descriptorAtIndex:(NSInteger)index;
- (NSAppleEventDescriptor*)descriptorForKeyword:(AEKeyword)keyword;

@end
