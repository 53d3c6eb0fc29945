// The desktop facts on macOS: the Dock icon policy, the launch and quit Apple events, the
// power-off notice, reopening from the Dock and the dark appearance. Qt keeps a delegate set
// before it starts and forwards its callbacks to it: that is how the reopen reaches us. The
// two moments of launching are heard as notifications, whatever Qt forwards. The quit decision stays with
// Qt's QEvent::Quit (we do not answer applicationShouldTerminate: here).
#import <AppKit/AppKit.h>

#include <cstdlib>
#include <functional>
#include <memory>

#include "platform/fatti_desktop.h"

namespace {
bool lanciatoDaLogin = false;
bool avviata = false;
std::function<void()> riapertura;
std::function<void()> avvio;
// The launch observers, kept for the whole run.
id<NSObject> osservatorePrima = nil;
id<NSObject> osservatoreDopo = nil;
}  // namespace

@interface PulsaroDelegatoRiflesso : NSObject <NSApplicationDelegate>
@end

@implementation PulsaroDelegatoRiflesso
- (BOOL)applicationShouldHandleReopen:(NSApplication*)app hasVisibleWindows:(BOOL)visibili {
    (void)app;
    (void)visibili;
    if (riapertura) riapertura();
    return NO;
}
@end

namespace pulsaro {

namespace {

class FattiDesktopMac final : public FattiDesktop {
public:
    ~FattiDesktopMac() override {
        if (osservatore_ != nullptr) {
            [[[NSWorkspace sharedWorkspace] notificationCenter] removeObserver:(__bridge id)osservatore_];
            CFRelease(osservatore_);
        }
        riapertura = nullptr;
        avvio = nullptr;
    }

    void impostaPolitica(Politica p) override {
        politica_ = p;
        [NSApp setActivationPolicy:p == Politica::regolare ? NSApplicationActivationPolicyRegular
                                                           : NSApplicationActivationPolicyAccessory];
        if (p == Politica::regolare) [NSApp activateIgnoringOtherApps:YES];
    }
    Politica politica() const override { return politica_; }
    bool daLogin() const override { return lanciatoDaLogin; }

    bool uscitaDiSistema() const override {
        // Read while Qt delivers the quit: the current Apple event is then the quit event.
        NSAppleEventDescriptor* e = [[NSAppleEventManager sharedAppleEventManager] currentAppleEvent];
        if (e == nil) return false;
        return [e attributeDescriptorForKeyword:kAEQuitReason] != nil ||
               [e paramDescriptorForKeyword:kAEQuitReason] != nil;
    }

    void quandoSpegnimento(std::function<void()> f) override {
        auto condivisa = std::make_shared<std::function<void()>>(std::move(f));
        id o = [[[NSWorkspace sharedWorkspace] notificationCenter]
            addObserverForName:NSWorkspaceWillPowerOffNotification
                        object:nil
                         queue:[NSOperationQueue mainQueue]
                    usingBlock:^(NSNotification*) {
                      if (*condivisa) (*condivisa)();
                    }];
        osservatore_ = CFBridgingRetain(o);
    }

    void quandoRiapertura(std::function<void()> f) override { riapertura = std::move(f); }

    void quandoAvviata(std::function<void()> f) override {
        if (avviata) {
            f();
            return;
        }
        avvio = std::move(f);
    }

    bool aspettoScuro() const override {
        NSString* stile = [[NSUserDefaults standardUserDefaults] stringForKey:@"AppleInterfaceStyle"];
        return stile != nil && [stile isEqualToString:@"Dark"];
    }

private:
    Politica politica_ = Politica::regolare;
    CFTypeRef osservatore_ = nullptr;
};

}  // namespace

bool schermoDisponibile() {
    return true;
}

namespace {

// A login item's launch: the open-application event carries the login marker as its datum.
bool eventoDiLancioDaLogin() {
    NSAppleEventDescriptor* e = [[NSAppleEventManager sharedAppleEventManager] currentAppleEvent];
    if (e == nil || e.eventClass != kCoreEventClass || e.eventID != kAEOpenApplication) return false;
    NSAppleEventDescriptor* p = [e paramDescriptorForKeyword:keyAEPropData];
    return p != nil && p.enumCodeValue == keyAELaunchedAsLogInItem;
}

// AppKit dispatches the open-application event after will-finish-launching, and it is the current
// event while did-finish-launching is posted: the marker is read there, before the controller
// starts. The earlier reading stays, in case a system has the event current sooner.
void osservaLancio() {
    NSNotificationCenter* centro = [NSNotificationCenter defaultCenter];
    osservatorePrima = [centro addObserverForName:NSApplicationWillFinishLaunchingNotification
                                           object:nil
                                            queue:nil
                                       usingBlock:^(NSNotification*) {
                                         lanciatoDaLogin = lanciatoDaLogin || eventoDiLancioDaLogin();
                                       }];
    osservatoreDopo = [centro addObserverForName:NSApplicationDidFinishLaunchingNotification
                                          object:nil
                                           queue:nil
                                      usingBlock:^(NSNotification*) {
                                        lanciatoDaLogin = lanciatoDaLogin || eventoDiLancioDaLogin();
                                        avviata = true;
                                        if (!avvio) return;
                                        auto f = std::move(avvio);
                                        avvio = nullptr;
                                        f();
                                      }];
}

}  // namespace

void preparaFattiDesktop() {
    osservaLancio();
    // Qt's delegate brings the application to the front when launching ends unless this is set:
    // a menu-bar application started at login must leave the focus where it is.
    setenv("QT_MAC_DISABLE_FOREGROUND_APPLICATION_TRANSFORM", "1", 1);
    // Before QApplication: Qt takes a delegate already set as the one it forwards to.
    static PulsaroDelegatoRiflesso* delegato = [[PulsaroDelegatoRiflesso alloc] init];
    [NSApplication sharedApplication].delegate = delegato;
}

std::unique_ptr<FattiDesktop> fattiDesktopDiSistema(const std::vector<std::string>&) {
    return std::make_unique<FattiDesktopMac>();
}

}  // namespace pulsaro
