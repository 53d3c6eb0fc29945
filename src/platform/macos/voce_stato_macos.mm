// The status item on macOS: a native item of variable length, so the wide tile shows at its
// real size (Qt's own tray icon makes a square item). Thin: the controller decides everything.
#import <AppKit/AppKit.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/voce_stato.h"

#if __has_feature(objc_arc)
#define PULSARO_AUTORILASCIA(x) (x)
#else
#define PULSARO_AUTORILASCIA(x) [(x) autorelease]
#endif

namespace pulsaro {
class VoceStatoMac;
}

@interface PulsaroBersaglioVoce : NSObject
@property(nonatomic, assign) pulsaro::VoceStatoMac* voce;
- (void)clic:(id)mittente;
- (void)voceMenu:(NSMenuItem*)voce;
@end

namespace pulsaro {

namespace {

NSString* ns(const std::string& s) {
    NSString* t = [NSString stringWithUTF8String:s.c_str()];
    return t != nil ? t : @"";
}

NSImage* immagineNS(const ImmaginePixel& p) {
    if (p.vuota() || p.argb.size() < static_cast<std::size_t>(p.larghezza) * p.altezza) return nil;
    CFDataRef dati = CFDataCreate(nullptr, reinterpret_cast<const UInt8*>(p.argb.data()),
                                  static_cast<CFIndex>(p.argb.size() * sizeof(std::uint32_t)));
    CGDataProviderRef fornitore = CGDataProviderCreateWithCFData(dati);
    CGColorSpaceRef spazio = CGColorSpaceCreateWithName(kCGColorSpaceSRGB);
    // Premultiplied ARGB32 in native (little-endian) order.
    const auto disposizione =
        static_cast<CGBitmapInfo>(static_cast<std::uint32_t>(kCGImageAlphaPremultipliedFirst) |
                                  static_cast<std::uint32_t>(kCGBitmapByteOrder32Little));
    CGImageRef cg = CGImageCreate(static_cast<size_t>(p.larghezza), static_cast<size_t>(p.altezza), 8, 32,
                                  static_cast<size_t>(p.larghezza) * 4, spazio, disposizione, fornitore,
                                  nullptr, false, kCGRenderingIntentDefault);
    NSImage* img = nil;
    if (cg != nullptr) {
        const double dpr = p.dpr > 0 ? p.dpr : 1.0;
        img = PULSARO_AUTORILASCIA(
            [[NSImage alloc] initWithCGImage:cg size:NSMakeSize(p.larghezza / dpr, p.altezza / dpr)]);
        [img setTemplate:NO];  // the tile's colours stay as drawn
        CGImageRelease(cg);
    }
    CGColorSpaceRelease(spazio);
    CGDataProviderRelease(fornitore);
    CFRelease(dati);
    return img;
}

}  // namespace

class VoceStatoMac final : public VoceStato {
public:
    VoceStatoMac() {
        @autoreleasepool {
            NSStatusItem* voce =
                [[NSStatusBar systemStatusBar] statusItemWithLength:NSVariableStatusItemLength];
            voce_ = CFBridgingRetain(voce);
            PulsaroBersaglioVoce* b = PULSARO_AUTORILASCIA([[PulsaroBersaglioVoce alloc] init]);
            b.voce = this;
            bersaglio_ = CFBridgingRetain(b);
            voce.button.target = b;
            voce.button.action = @selector(clic:);
            [voce.button sendActionOn:NSEventMaskLeftMouseUp | NSEventMaskRightMouseUp];
        }
    }

    ~VoceStatoMac() override {
        @autoreleasepool {
            [[NSStatusBar systemStatusBar] removeStatusItem:item()];
            ((__bridge PulsaroBersaglioVoce*)bersaglio_).voce = nullptr;
            CFRelease(voce_);
            CFRelease(bersaglio_);
        }
    }

    void impostaImmagine(const ImmaginePixel& immagine) override {
        @autoreleasepool {
            item().button.image = immagineNS(immagine);
        }
    }
    void impostaSuggerimento(const std::string& testo) override {
        @autoreleasepool {
            item().button.toolTip = ns(testo);
        }
    }
    void impostaEtichetta(const std::string& testo) override {
        @autoreleasepool {
            [item().button setAccessibilityLabel:ns(testo)];
        }
    }
    void quandoClic(Clic clic) override { clic_ = std::move(clic); }

    void mostraMenu(const std::vector<VoceMenu>& voci) override {
        @autoreleasepool {
            azioni_.clear();
            NSMenu* menu = PULSARO_AUTORILASCIA([[NSMenu alloc] initWithTitle:@""]);
            menu.autoenablesItems = NO;
            for (const auto& v : voci) {
                if (v.separatore) {
                    [menu addItem:[NSMenuItem separatorItem]];
                    continue;
                }
                NSMenuItem* m = PULSARO_AUTORILASCIA([[NSMenuItem alloc] initWithTitle:ns(v.titolo)
                                                                                action:@selector(voceMenu:)
                                                                         keyEquivalent:ns(v.tasto)]);
                m.target = (__bridge PulsaroBersaglioVoce*)bersaglio_;
                m.tag = static_cast<NSInteger>(azioni_.size());
                m.enabled = v.abilitata;
                if (!v.simbolo.empty())
                    m.image = [NSImage imageWithSystemSymbolName:ns(v.simbolo) accessibilityDescription:nil];
                azioni_.push_back(v.azione);
                [menu addItem:m];
            }
            // Attached only while it is up, so every other click reaches the button's action.
            item().menu = menu;
            [item().button performClick:nil];
            item().menu = nil;
        }
    }

    Rettangolo rettangolo() const override {
        @autoreleasepool {
            NSStatusBarButton* b = item().button;
            if (b == nil || b.window == nil) return {};
            const NSRect r = [b.window convertRectToScreen:[b convertRect:b.bounds toView:nil]];
            NSArray<NSScreen*>* schermi = [NSScreen screens];
            if (schermi.count == 0) return {};
            // Qt's origin is the top left of the primary screen, y downwards.
            const CGFloat altezza = schermi[0].frame.size.height;
            return {static_cast<int>(r.origin.x), static_cast<int>(altezza - (r.origin.y + r.size.height)),
                    static_cast<int>(r.size.width), static_cast<int>(r.size.height)};
        }
    }
    int latoQuadrato() const override { return 0; }
    double dpr() const override {
        NSWindow* w = item().button.window;
        if (w != nil) return w.backingScaleFactor;
        return NSScreen.mainScreen != nil ? NSScreen.mainScreen.backingScaleFactor : 2.0;
    }
    void quandoAssente(std::function<void()>) override {}  // the menu bar is always there
    bool mostrata() const override { return true; }
    void quandoPresenza(std::function<void(bool)>) override {}

    void clic() {
        NSEvent* e = [NSApp currentEvent];
        const bool destro = e != nil && (e.type == NSEventTypeRightMouseUp ||
                                         (e.modifierFlags & NSEventModifierFlagControl) != 0);
        if (clic_) clic_(destro);
    }
    void voceMenu(NSInteger indice) {
        if (indice < 0 || static_cast<std::size_t>(indice) >= azioni_.size() || !azioni_[indice]) return;
        // After the menu has closed, so the action may open windows or quit.
        auto f = azioni_[indice];
        dispatch_async(dispatch_get_main_queue(), ^{
          f();
        });
    }

private:
    NSStatusItem* item() const { return (__bridge NSStatusItem*)voce_; }

    CFTypeRef voce_ = nullptr;
    CFTypeRef bersaglio_ = nullptr;
    Clic clic_;
    std::vector<std::function<void()>> azioni_;
};

std::unique_ptr<VoceStato> voceStatoDiSistema(double) {
    return std::make_unique<VoceStatoMac>();
}

}  // namespace pulsaro

@implementation PulsaroBersaglioVoce
- (void)clic:(id)mittente {
    (void)mittente;
    if (self.voce != nullptr) self.voce->clic();
}
- (void)voceMenu:(NSMenuItem*)voce {
    if (self.voce != nullptr) self.voce->voceMenu(voce.tag);
}
@end
