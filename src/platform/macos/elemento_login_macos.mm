// The login item on macOS: the application's own main-app service (macOS 13 and later).
#include "platform/elemento_login.h"

#import <Foundation/Foundation.h>
#import <ServiceManagement/ServiceManagement.h>

namespace pulsaro {

namespace {

std::string testoErrore(NSError* errore) {
    NSString* d = errore ? errore.localizedDescription : nil;
    const char* c = d ? d.UTF8String : nullptr;
    return c && *c ? std::string(c) : std::string("errore sconosciuto");
}

class ElementoLoginMacos : public ElementoLogin {
public:
    StatoLogin stato() override {
        @autoreleasepool {
            if (@available(macOS 13.0, *)) {
                switch (SMAppService.mainAppService.status) {
                    case SMAppServiceStatusNotRegistered:
                        return StatoLogin::nonRegistrato;
                    case SMAppServiceStatusEnabled:
                        return StatoLogin::attivo;
                    case SMAppServiceStatusRequiresApproval:
                        return StatoLogin::richiedeApprovazione;
                    case SMAppServiceStatusNotFound:
                        return StatoLogin::nonTrovato;
                }
            }
            return StatoLogin::nonTrovato;
        }
    }

    std::optional<std::string> registra() override {
        @autoreleasepool {
            if (@available(macOS 13.0, *)) {
                NSError* errore = nil;
                if ([SMAppService.mainAppService registerAndReturnError:&errore]) return std::nullopt;
                return testoErrore(errore);
            }
            return std::string("richiede macOS 13 o successivo");
        }
    }

    std::optional<std::string> annulla() override {
        @autoreleasepool {
            if (@available(macOS 13.0, *)) {
                NSError* errore = nil;
                if ([SMAppService.mainAppService unregisterAndReturnError:&errore]) return std::nullopt;
                return testoErrore(errore);
            }
            return std::string("richiede macOS 13 o successivo");
        }
    }

    void apriImpostazioniSistema() override {
        @autoreleasepool {
            if (@available(macOS 13.0, *)) [SMAppService openSystemSettingsLoginItems];
        }
    }
};

}  // namespace

std::unique_ptr<ElementoLogin> elementoLoginDiSistema() {
    return std::make_unique<ElementoLoginMacos>();
}

}  // namespace pulsaro
