// Running applications on macOS: the localized name and the icon AppKit knows for a process.
#import <AppKit/AppKit.h>

#include <map>
#include <mutex>

#include "platform/applicazioni.h"

namespace pulsaro {

namespace {

// Large enough for the 28-point rows at twice the pixel density.
constexpr CGFloat latoIcona = 64;

std::vector<unsigned char> iconaPng(NSImage* icona) {
    std::vector<unsigned char> byte;
    if (icona == nil) return byte;
    NSRect rettangolo = NSMakeRect(0, 0, latoIcona, latoIcona);
    CGImageRef immagine = [icona CGImageForProposedRect:&rettangolo context:nil hints:nil];  // not owned
    if (immagine == nullptr) return byte;
    NSBitmapImageRep* rappresentazione = [[NSBitmapImageRep alloc] initWithCGImage:immagine];
#if !__has_feature(objc_arc)
    [rappresentazione autorelease];
#endif
    NSData* png = [rappresentazione representationUsingType:NSBitmapImageFileTypePNG properties:@{}];
    if (png != nil && png.length > 0) {
        const auto* inizio = static_cast<const unsigned char*>(png.bytes);
        byte.assign(inizio, inizio + png.length);
    }
    return byte;
}

class ApplicazioniMac final : public Applicazioni {
public:
    std::optional<Applicazione> applicazione(std::int32_t pid) override {
        @autoreleasepool {
            NSRunningApplication* app =
                [NSRunningApplication runningApplicationWithProcessIdentifier:(pid_t)pid];
            if (app == nil) return std::nullopt;
            // An application without a localized name still has its icon; the name stays empty.
            NSString* nome = app.localizedName;
            const char* utf8 = nome != nil ? nome.UTF8String : nullptr;
            Applicazione risultato;
            if (utf8 != nullptr) risultato.nome = utf8;
            risultato.iconaPng = icona(app);
            return risultato;
        }
    }

    std::optional<std::string> nome(std::int32_t pid) override {
        @autoreleasepool {
            NSRunningApplication* app =
                [NSRunningApplication runningApplicationWithProcessIdentifier:(pid_t)pid];
            const char* utf8 =
                app != nil && app.localizedName != nil ? app.localizedName.UTF8String : nullptr;
            if (utf8 == nullptr || *utf8 == '\0') return std::nullopt;
            return std::string(utf8);
        }
    }

private:
    // The names are asked every sample: the encoded icon is kept per application bundle, so that
    // it is made once, whatever process id the application runs under.
    std::vector<unsigned char> icona(NSRunningApplication* app) {
        NSURL* url = app.bundleURL != nil ? app.bundleURL : app.executableURL;
        const char* chiave = url != nil ? url.path.UTF8String : nullptr;
        if (chiave == nullptr) return iconaPng(app.icon);
        {
            std::lock_guard lock(mutex_);
            if (auto it = icone_.find(chiave); it != icone_.end()) return it->second;
        }
        auto png = iconaPng(app.icon);
        std::lock_guard lock(mutex_);
        if (icone_.size() >= 300) icone_.clear();
        icone_[chiave] = png;
        return png;
    }

    std::mutex mutex_;
    std::map<std::string, std::vector<unsigned char>> icone_;
};

}  // namespace

Applicazioni& applicazioniDiSistema() {
    static ApplicazioniMac app;
    return app;
}

}  // namespace pulsaro
