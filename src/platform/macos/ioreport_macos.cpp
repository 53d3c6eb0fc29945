// The IOReport table: the private system library opened at run time, plus the CoreFoundation
// operations the reader needs. A missing library or function leaves its entry empty.
#include <CoreFoundation/CoreFoundation.h>
#include <dlfcn.h>

#include <cstdint>
#include <string>

#include "platform/ioreport.h"
#include "platform/macos/cf.h"

namespace pulsaro {

namespace {

using CopyChannelsInGroup = CFDictionaryRef (*)(CFStringRef, CFStringRef, std::uint64_t, std::uint64_t,
                                                std::uint64_t);
using CreateSubscription = void* (*)(void*, CFMutableDictionaryRef, CFMutableDictionaryRef*, std::uint64_t,
                                     CFTypeRef);
using CreateSamples = CFDictionaryRef (*)(void*, CFMutableDictionaryRef, CFTypeRef);
using CreateSamplesDelta = CFDictionaryRef (*)(CFDictionaryRef, CFDictionaryRef, CFTypeRef);
using SimpleGetIntegerValue = std::int64_t (*)(CFDictionaryRef, std::int32_t);
using ChannelGetString = CFStringRef (*)(CFDictionaryRef);
using StateGetCount = std::int32_t (*)(CFDictionaryRef);
using StateGetNameForIndex = CFStringRef (*)(CFDictionaryRef, std::int32_t);
using StateGetResidency = std::int64_t (*)(CFDictionaryRef, std::int32_t);

template <class F>
F cerca(void* libreria, const char* nome) {
    return reinterpret_cast<F>(dlsym(libreria, nome));
}

CFDictionaryRef dizionario(OggettoIOReport o) {
    return static_cast<CFDictionaryRef>(o);
}
CFMutableDictionaryRef dizionarioMutabile(OggettoIOReport o) {
    return static_cast<CFMutableDictionaryRef>(const_cast<void*>(o));
}

std::shared_ptr<const LibreriaIOReport> carica() {
    auto t = std::make_shared<LibreriaIOReport>();

    t->canaliDelDelta = [](OggettoIOReport delta) -> std::optional<std::vector<OggettoIOReport>> {
        if (!delta) return std::nullopt;
        CFTypeRef valore = CFDictionaryGetValue(dizionario(delta), CFSTR("IOReportChannels"));
        if (!valore || CFGetTypeID(valore) != CFArrayGetTypeID()) return std::nullopt;
        auto array = static_cast<CFArrayRef>(valore);
        std::vector<OggettoIOReport> canali;
        CFIndex n = CFArrayGetCount(array);
        for (CFIndex i = 0; i < n; ++i) {
            CFTypeRef c = CFArrayGetValueAtIndex(array, i);
            // Only dictionaries are handed to the library's channel functions.
            if (c && CFGetTypeID(c) == CFDictionaryGetTypeID()) canali.push_back(c);
        }
        return canali;
    };
    t->rilascia = [](OggettoIOReport o) {
        if (o) CFRelease(o);
    };

    // The library stays open for the whole run.
    void* libreria = dlopen("/usr/lib/libIOReport.dylib", RTLD_NOW);
    if (!libreria) return t;

    if (auto f = cerca<CopyChannelsInGroup>(libreria, "IOReportCopyChannelsInGroup"))
        t->copiaCanaliDelGruppo = [f](const std::string& gruppo, const std::optional<std::string>& sotto) {
            RifCF g = stringaCF(gruppo);
            if (!g.get()) return OggettoIOReport{};
            RifCF s = sotto ? stringaCF(*sotto) : RifCF();
            if (sotto && !s.get()) return OggettoIOReport{};
            CFDictionaryRef canali = f(g.stringa(), sotto ? s.stringa() : nullptr, 0, 0, 0);
            if (!canali) return OggettoIOReport{};
            // The copy is immutable, and the subscription and sampling calls take a mutable list.
            CFMutableDictionaryRef mutabile =
                CFDictionaryCreateMutableCopy(kCFAllocatorDefault, CFDictionaryGetCount(canali), canali);
            CFRelease(canali);
            return static_cast<OggettoIOReport>(mutabile);
        };
    if (auto f = cerca<CreateSubscription>(libreria, "IOReportCreateSubscription"))
        t->creaSottoscrizione = [f](OggettoIOReport canali, OggettoIOReport* sottoscritti) {
            CFMutableDictionaryRef fuori = nullptr;
            void* sottoscrizione = f(nullptr, dizionarioMutabile(canali), &fuori, 0, nullptr);
            *sottoscritti = fuori;
            return sottoscrizione;
        };
    if (auto f = cerca<CreateSamples>(libreria, "IOReportCreateSamples"))
        t->creaCampioni = [f](SottoscrizioneIOReport sottoscrizione, OggettoIOReport canali) {
            return static_cast<OggettoIOReport>(f(sottoscrizione, dizionarioMutabile(canali), nullptr));
        };
    if (auto f = cerca<CreateSamplesDelta>(libreria, "IOReportCreateSamplesDelta"))
        t->creaDelta = [f](OggettoIOReport prima, OggettoIOReport dopo) {
            return static_cast<OggettoIOReport>(f(dizionario(prima), dizionario(dopo), nullptr));
        };
    if (auto f = cerca<SimpleGetIntegerValue>(libreria, "IOReportSimpleGetIntegerValue"))
        t->valoreIntero = [f](OggettoIOReport c, std::int32_t i) { return f(dizionario(c), i); };
    // Names and units are not owned: the channel keeps them.
    if (auto f = cerca<ChannelGetString>(libreria, "IOReportChannelGetChannelName"))
        t->nomeCanale = [f](OggettoIOReport c) { return testoCF(f(dizionario(c))); };
    if (auto f = cerca<ChannelGetString>(libreria, "IOReportChannelGetUnitLabel"))
        t->unitaCanale = [f](OggettoIOReport c) { return testoCF(f(dizionario(c))); };
    if (auto f = cerca<StateGetCount>(libreria, "IOReportStateGetCount"))
        t->numeroStati = [f](OggettoIOReport c) { return f(dizionario(c)); };
    if (auto f = cerca<StateGetNameForIndex>(libreria, "IOReportStateGetNameForIndex"))
        t->nomeStato = [f](OggettoIOReport c, std::int32_t i) { return testoCF(f(dizionario(c), i)); };
    if (auto f = cerca<StateGetResidency>(libreria, "IOReportStateGetResidency"))
        t->residenzaStato = [f](OggettoIOReport c, std::int32_t i) { return f(dizionario(c), i); };
    return t;
}

}  // namespace

std::shared_ptr<const LibreriaIOReport> caricaIOReport() {
    static const std::shared_ptr<const LibreriaIOReport> tabella = carica();
    return tabella;
}

}  // namespace pulsaro
