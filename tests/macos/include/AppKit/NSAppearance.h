// Stand-in for the macOS SDK (syntax check only): light and dark appearances.
#pragma once

#include <Foundation/Foundation.h>

typedef NSString* NSAppearanceName;

#ifdef __cplusplus
extern "C" {
#endif
extern NSAppearanceName const NSAppearanceNameAqua;
extern NSAppearanceName const NSAppearanceNameDarkAqua;
extern NSAppearanceName const NSAppearanceNameVibrantLight;
extern NSAppearanceName const NSAppearanceNameVibrantDark;
#ifdef __cplusplus
}
#endif

@interface NSAppearance : NSObject <NSSecureCoding>
@property(readonly, copy) NSAppearanceName name;
+ (NSAppearance*)appearanceNamed:(NSAppearanceName)name;
// The closest of the given names, or nil.
- (NSAppearanceName)bestMatchFromAppearancesWithNames:(NSArray<NSAppearanceName>*)appearances;
// macOS 11 and later.
@property(class, readonly, strong) NSAppearance* currentDrawingAppearance;
@end

@protocol NSAppearanceCustomization <NSObject>
@property(strong) NSAppearance* appearance;
@property(readonly, strong) NSAppearance* effectiveAppearance;
@end
