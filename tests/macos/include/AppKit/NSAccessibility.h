// Stand-in for the macOS SDK (syntax check only): what VoiceOver reads from an element.
#pragma once

#include <Foundation/Foundation.h>

typedef NSString* NSAccessibilityRole;

@protocol NSAccessibility <NSObject>
@property(getter=isAccessibilityElement) BOOL accessibilityElement;
@property(copy) NSString* accessibilityLabel;
@property(copy) NSString* accessibilityTitle;
@property(copy) NSString* accessibilityHelp;
@property(copy) id accessibilityValue;
@property(copy) NSAccessibilityRole accessibilityRole;
@end
