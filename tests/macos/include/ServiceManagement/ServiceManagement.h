// Stand-in for the macOS SDK (syntax check only): the application's login item (macOS 13 and
// later). Registering may leave the item waiting for the user's approval in System Settings.
#pragma once

#include <CoreFoundation/CoreFoundation.h>
#include <Foundation/Foundation.h>

typedef NS_ENUM(NSInteger, SMAppServiceStatus) {
    SMAppServiceStatusNotRegistered = 0,
    SMAppServiceStatusEnabled = 1,
    SMAppServiceStatusRequiresApproval = 2,
    SMAppServiceStatusNotFound = 3,
};

// Codes of the errors the register and unregister calls give.
enum {
    kSMErrorInternalFailure = 2,
    kSMErrorInvalidSignature = 3,
    kSMErrorAuthorizationFailure = 4,
    kSMErrorToolNotValid = 5,
    kSMErrorJobNotFound = 6,
    kSMErrorServiceUnavailable = 7,
    kSMErrorJobPlistNotFound = 8,
    kSMErrorJobMustBeEnabled = 9,
    kSMErrorInvalidPlist = 10,
    kSMErrorLaunchDeniedByUser = 11,
    kSMErrorAlreadyRegistered = 12,
};

@interface SMAppService : NSObject

// The application itself as a login item.
@property(class, readonly, strong) SMAppService* mainAppService;
+ (instancetype)loginItemServiceWithIdentifier:(NSString*)identifier;
+ (instancetype)agentServiceWithPlistName:(NSString*)plistName;

@property(readonly) SMAppServiceStatus status;
// NO with *error set on failure (the error is autoreleased, not owned by the caller).
- (BOOL)registerAndReturnError:(NSError**)error;
- (BOOL)unregisterAndReturnError:(NSError**)error;
- (void)unregisterWithCompletionHandler:(void (^)(NSError* error))handler;
// Opens System Settings at Login Items.
+ (void)openSystemSettingsLoginItems;
+ (SMAppServiceStatus)statusForLegacyURL:(NSURL*)url;

@end

#ifdef __cplusplus
extern "C" {
#endif
// Replaced by SMAppService in macOS 13.
Boolean SMLoginItemSetEnabled(CFStringRef identifier, Boolean enabled)
    __attribute__((deprecated("use SMAppService")));
#ifdef __cplusplus
}
#endif
