// Stand-in for the macOS SDK (syntax check only): notifications. The token that
// addObserverForName:object:queue:usingBlock: returns is owned by the caller (keep it strongly)
// and must be handed to removeObserver: before the block's captures go away; the centre keeps
// the block until then.
#pragma once

#include <Foundation/NSObject.h>

@class NSString;
@class NSDictionary<KeyType, ObjectType>;
@class NSOperationQueue;

typedef NSString* NSNotificationName;

@interface NSNotification : NSObject <NSCopying>
@property(readonly, copy) NSNotificationName name;
@property(readonly, strong) id object;
@property(readonly, copy) NSDictionary* userInfo;
@end

@interface NSNotificationCenter : NSObject

@property(class, readonly, strong) NSNotificationCenter* defaultCenter;

// The observer is not retained: remove it before it goes away.
- (void)addObserver:(id)observer selector:(SEL)aSelector name:(NSNotificationName)aName object:(id)anObject;
// queue nil runs the block on the posting thread.
- (id<NSObject>)addObserverForName:(NSNotificationName)name
                            object:(id)obj
                             queue:(NSOperationQueue*)queue
                        usingBlock:(void (^)(NSNotification* notification))block;
- (void)removeObserver:(id)observer;
- (void)removeObserver:(id)observer name:(NSNotificationName)aName object:(id)anObject;
- (void)postNotification:(NSNotification*)notification;
- (void)postNotificationName:(NSNotificationName)aName object:(id)anObject;
- (void)postNotificationName:(NSNotificationName)aName object:(id)anObject userInfo:(NSDictionary*)aUserInfo;

@end
