// The calls the status item, the desktop facts and the login item make, written the way the
// Objective-C++ files make them: the declarations in tests/macos/include must accept all of them.
// Checked by scripts/controlla_macos.sh only, never built.
#import <AppKit/AppKit.h>
#import <ServiceManagement/ServiceManagement.h>

#include <QImage>

#include <functional>
#include <string>

@interface RiflessoDelegato : NSObject <NSApplicationDelegate>
@property(nonatomic) BOOL daLogin;
@end

@implementation RiflessoDelegato {
    std::function<void()> riapri_;
}

- (void)applicationWillFinishLaunching:(NSNotification*)notifica {
    (void)notifica;
    NSAppleEventDescriptor* evento = [NSAppleEventManager sharedAppleEventManager].currentAppleEvent;
    self.daLogin = evento.eventID == kAEOpenApplication &&
                   [evento paramDescriptorForKeyword:keyAEPropData].enumCodeValue == keyAELaunchedAsLogInItem;
}

- (BOOL)applicationShouldHandleReopen:(NSApplication*)mittente hasVisibleWindows:(BOOL)finestre {
    (void)mittente;
    (void)finestre;
    if (riapri_) riapri_();
    return NO;
}

- (void)clic:(id)mittente {
    (void)mittente;
    NSEvent* evento = [NSApp currentEvent];
    const bool destro =
        evento.type == NSEventTypeRightMouseUp || (evento.modifierFlags & NSEventModifierFlagControl) != 0;
    (void)destro;
}

@end

namespace {

OSType motivoUscita() {
    NSAppleEventDescriptor* evento = [[NSAppleEventManager sharedAppleEventManager] currentAppleEvent];
    NSAppleEventDescriptor* motivo = [evento attributeDescriptorForKeyword:kAEQuitReason];
    if (motivo == nil) motivo = [evento paramDescriptorForKeyword:kAEQuitReason];
    return motivo.enumCodeValue;
}

NSStatusItem* elementoDiStato(const QImage& immagine, RiflessoDelegato* bersaglio) {
    NSStatusItem* elemento = [NSStatusBar.systemStatusBar statusItemWithLength:NSVariableStatusItemLength];
    NSStatusBarButton* pulsante = elemento.button;
    CGImageRef cg = immagine.toCGImage();  // owned
    const NSSize punti = NSMakeSize(immagine.width() / immagine.devicePixelRatio(),
                                    immagine.height() / immagine.devicePixelRatio());
    NSImage* tessera = [[NSImage alloc] initWithCGImage:cg size:punti];
    CGImageRelease(cg);
    [tessera setTemplate:NO];
    pulsante.image = tessera;
    pulsante.toolTip = @"Pulsaro";
    [pulsante setAccessibilityLabel:@"Pulsaro"];
    pulsante.target = bersaglio;
    pulsante.action = @selector(clic:);
    [pulsante sendActionOn:NSEventMaskLeftMouseUp | NSEventMaskRightMouseUp];

    NSMenu* menu = [[NSMenu alloc] initWithTitle:@""];
    [menu addItemWithTitle:@"Esci" action:@selector(terminate:) keyEquivalent:@"q"];
    elemento.menu = menu;
    [pulsante performClick:nil];
    elemento.menu = nil;
    return elemento;
}

NSRect rettangoloPulsante(NSStatusItem* elemento) {
    NSStatusBarButton* pulsante = elemento.button;
    NSRect r = [pulsante.window convertRectToScreen:[pulsante convertRect:pulsante.bounds toView:nil]];
    const CGFloat altezza = NSScreen.screens.firstObject.frame.size.height;
    r.origin.y = altezza - (r.origin.y + r.size.height);
    return r;
}

id osservaSpegnimento(std::function<void()> spegnimento) {
    return
        [NSWorkspace.sharedWorkspace.notificationCenter addObserverForName:NSWorkspaceWillPowerOffNotification
                                                                    object:nil
                                                                     queue:NSOperationQueue.mainQueue
                                                                usingBlock:^(NSNotification* notifica) {
                                                                  (void)notifica;
                                                                  spegnimento();
                                                                }];
}

bool aspettoScuro() {
    NSUserDefaults* globali = [[NSUserDefaults alloc] initWithSuiteName:NSGlobalDomain];
    id stile = [globali objectForKey:@"AppleInterfaceStyle"];
    return [stile isKindOfClass:[NSString class]] && [stile isEqualToString:@"Dark"];
}

std::string statoLogin() {
    SMAppService* servizio = SMAppService.mainAppService;
    switch (servizio.status) {
        case SMAppServiceStatusNotRegistered: {
            NSError* errore = nil;
            if (![servizio registerAndReturnError:&errore]) {
                const char* testo = errore.localizedDescription.UTF8String;
                return testo != nullptr ? testo : "";
            }
            return "registrato";
        }
        case SMAppServiceStatusEnabled: {
            NSError* errore = nil;
            [servizio unregisterAndReturnError:&errore];
            return "attivo";
        }
        case SMAppServiceStatusRequiresApproval:
            [SMAppService openSystemSettingsLoginItems];
            return "da approvare";
        case SMAppServiceStatusNotFound:
            return [NSString stringWithUTF8String:"non trovato"].UTF8String;
    }
    return {};
}

}  // namespace

int main() {
    @autoreleasepool {
        RiflessoDelegato* delegato = [[RiflessoDelegato alloc] init];
        NSApplication.sharedApplication.delegate = delegato;
        [NSApp setActivationPolicy:NSApplicationActivationPolicyAccessory];
        NSStatusItem* elemento = elementoDiStato(QImage(44, 22, QImage::Format_ARGB32), delegato);
        id osservatore = osservaSpegnimento([] {});
        [NSWorkspace.sharedWorkspace.notificationCenter removeObserver:osservatore];
        return static_cast<int>(rettangoloPulsante(elemento).origin.x) + (aspettoScuro() ? 1 : 0) +
               static_cast<int>(motivoUscita() == kAEShutDown) + static_cast<int>(statoLogin().size());
    }
}
