// Stand-in for the macOS SDK (syntax check only): preferences. A missing key reads as nil,
// NO, 0 or 0.0; a value of another type reads the same way through the typed getters.
#pragma once

#include <Foundation/NSNotification.h>
#include <Foundation/NSObject.h>

@class NSString;
@class NSArray<ObjectType>;
@class NSDictionary<KeyType, ObjectType>;

#ifdef __cplusplus
extern "C" {
#endif
// The domain shared by every application ("AppleInterfaceStyle" lives there).
extern NSString* const NSGlobalDomain;
extern NSString* const NSArgumentDomain;
extern NSString* const NSRegistrationDomain;
extern NSNotificationName const NSUserDefaultsDidChangeNotification;
#ifdef __cplusplus
}
#endif

@interface NSUserDefaults : NSObject

@property(class, readonly, strong) NSUserDefaults* standardUserDefaults;
// nil for the suite names the system keeps for itself (the global domain, the app's own id).
- (instancetype)initWithSuiteName:(NSString*)suitename NS_DESIGNATED_INITIALIZER;
- (instancetype)init;

- (id)objectForKey:(NSString*)defaultName;
- (NSString*)stringForKey:(NSString*)defaultName;
- (NSArray*)arrayForKey:(NSString*)defaultName;
- (NSDictionary<NSString*, id>*)dictionaryForKey:(NSString*)defaultName;
- (NSInteger)integerForKey:(NSString*)defaultName;
- (double)doubleForKey:(NSString*)defaultName;
- (BOOL)boolForKey:(NSString*)defaultName;

- (void)setObject:(id)value forKey:(NSString*)defaultName;
- (void)setInteger:(NSInteger)value forKey:(NSString*)defaultName;
- (void)setDouble:(double)value forKey:(NSString*)defaultName;
- (void)setBool:(BOOL)value forKey:(NSString*)defaultName;
- (void)removeObjectForKey:(NSString*)defaultName;
- (void)registerDefaults:(NSDictionary<NSString*, id>*)registrationDictionary;

- (NSDictionary<NSString*, id>*)persistentDomainForName:(NSString*)domainName;
- (NSDictionary<NSString*, id>*)dictionaryRepresentation;
- (BOOL)synchronize;

@end
