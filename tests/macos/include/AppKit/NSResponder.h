// Stand-in for the macOS SDK (syntax check only): the base of views, windows and the application.
#pragma once

#include <Foundation/Foundation.h>

@class NSMenu;
@class NSEvent;

@interface NSResponder : NSObject
@property(weak) NSResponder* nextResponder;
@property(strong) NSMenu* menu;
@property(readonly) BOOL acceptsFirstResponder;
- (void)mouseDown:(NSEvent*)event;
- (void)mouseUp:(NSEvent*)event;
- (void)rightMouseDown:(NSEvent*)event;
- (void)rightMouseUp:(NSEvent*)event;
@end
