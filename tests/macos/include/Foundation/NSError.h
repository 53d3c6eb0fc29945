// Stand-in for the macOS SDK (syntax check only): errors. A method that fails with an error
// takes NSError** (under ARC an autoreleasing out-parameter) and returns NO or nil.
#pragma once

#include <Foundation/NSObject.h>

@class NSString;
@class NSDictionary<KeyType, ObjectType>;

typedef NSString* NSErrorDomain;
typedef NSString* NSErrorUserInfoKey;

#ifdef __cplusplus
extern "C" {
#endif
extern NSErrorDomain const NSCocoaErrorDomain;
extern NSErrorDomain const NSPOSIXErrorDomain;
extern NSErrorDomain const NSOSStatusErrorDomain;
extern NSErrorUserInfoKey const NSLocalizedDescriptionKey;
extern NSErrorUserInfoKey const NSUnderlyingErrorKey;
#ifdef __cplusplus
}
#endif

@interface NSError : NSObject <NSCopying, NSSecureCoding>

+ (instancetype)errorWithDomain:(NSErrorDomain)domain
                           code:(NSInteger)code
                       userInfo:(NSDictionary<NSErrorUserInfoKey, id>*)dict;
@property(readonly, copy) NSErrorDomain domain;
@property(readonly) NSInteger code;
@property(readonly, copy) NSDictionary<NSErrorUserInfoKey, id>* userInfo;
// Never nil: a text for the user, in the user's language.
@property(readonly, copy) NSString* localizedDescription;
@property(readonly, copy) NSString* localizedFailureReason;
@property(readonly, copy) NSString* localizedRecoverySuggestion;

@end
