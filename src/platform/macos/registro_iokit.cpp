// The registry seam over IOKit. Every object obtained is released on every path.
#include <CoreFoundation/CoreFoundation.h>
#include <IOKit/IOKitLib.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/macos/cf.h"
#include "platform/registro.h"

namespace pulsaro {

namespace {

// An owned IOKit object (entry or iterator).
class RifIO {
public:
    explicit RifIO(io_object_t o = IO_OBJECT_NULL) : o_(o) {}
    RifIO(const RifIO&) = delete;
    RifIO& operator=(const RifIO&) = delete;
    ~RifIO() {
        if (o_ != IO_OBJECT_NULL) IOObjectRelease(o_);
    }
    io_object_t get() const { return o_; }
    io_object_t* indirizzo() { return &o_; }

private:
    io_object_t o_;
};

// Containers deeper than this read as `Altro`: no registry property nests that far.
constexpr int profonditaMassima = 32;

ValoreRegistro converti(CFTypeRef v, int profondita);

struct ContestoDizionario {
    ValoreRegistro::Dizionario* d;
    int profondita;
};

void aggiungiCoppia(const void* chiave, const void* valore, void* contesto) {
    auto* c = static_cast<ContestoDizionario*>(contesto);
    if (!chiave || CFGetTypeID(chiave) != CFStringGetTypeID()) return;
    (*c->d)[testoCF(chiave).value_or("")] = converti(valore, c->profondita);
}

ValoreRegistro converti(CFTypeRef v, int profondita) {
    if (!v || profondita > profonditaMassima) return {};
    CFTypeID tipo = CFGetTypeID(v);
    if (tipo == CFStringGetTypeID()) return testoCF(v).value_or("");
    if (tipo == CFNumberGetTypeID()) {
        auto n = static_cast<CFNumberRef>(v);
        if (!CFNumberIsFloatType(n)) {
            std::int64_t i = 0;
            if (CFNumberGetValue(n, kCFNumberSInt64Type, &i)) return i;
        }
        // Reals, and integers beyond the signed 64-bit range.
        double d = 0;
        CFNumberGetValue(n, kCFNumberDoubleType, &d);
        return d;
    }
    if (tipo == CFDataGetTypeID()) {
        auto dati = static_cast<CFDataRef>(v);
        const UInt8* p = CFDataGetBytePtr(dati);
        CFIndex n = CFDataGetLength(dati);
        return ValoreRegistro::Byte(p, p + (p ? n : 0));
    }
    if (tipo == CFArrayGetTypeID()) {
        auto a = static_cast<CFArrayRef>(v);
        ValoreRegistro::Lista lista;
        CFIndex n = CFArrayGetCount(a);
        lista.reserve(static_cast<std::size_t>(n));
        for (CFIndex i = 0; i < n; ++i)
            lista.push_back(converti(CFArrayGetValueAtIndex(a, i), profondita + 1));
        return lista;
    }
    if (tipo == CFDictionaryGetTypeID()) {
        ValoreRegistro::Dizionario d;
        ContestoDizionario c{&d, profondita + 1};
        CFDictionaryApplyFunction(static_cast<CFDictionaryRef>(v), aggiungiCoppia, &c);
        return d;
    }
    return {};
}

class RegistroIOKit final : public Registro {
public:
    std::optional<std::vector<Voce>> servizi(const std::string& classe) override {
        CFMutableDictionaryRef criteri = IOServiceMatching(classe.c_str());
        if (!criteri) return std::nullopt;
        RifIO iteratore;
        // The call consumes the matching dictionary, whatever it returns.
        if (IOServiceGetMatchingServices(kIOMainPortDefault, criteri, iteratore.indirizzo()) != KERN_SUCCESS)
            return std::nullopt;
        return raccogli(iteratore.get());
    }

    std::optional<ValoreRegistro> proprieta(const Voce& voce, const std::string& chiave) override {
        if (!voce) return std::nullopt;
        RifCF nome = stringaCF(chiave);
        if (!nome.get()) return std::nullopt;
        RifCF valore(IORegistryEntryCreateCFProperty(entrata(voce), static_cast<CFStringRef>(nome.get()),
                                                     kCFAllocatorDefault, 0));
        if (!valore.get()) return std::nullopt;
        return converti(valore.get(), 0);
    }

    std::vector<Voce> discendenti(const Voce& voce) override {
        if (!voce) return {};
        RifIO iteratore;
        if (IORegistryEntryCreateIterator(entrata(voce), kIOServicePlane, kIORegistryIterateRecursively,
                                          iteratore.indirizzo()) != KERN_SUCCESS)
            return {};
        return raccogli(iteratore.get());
    }

    Voce voce(const std::string& percorso) override {
        io_registry_entry_t e = IORegistryEntryFromPath(kIOMainPortDefault, percorso.c_str());
        if (e == IO_OBJECT_NULL) return {};
        return Voce(this, e);
    }

    std::optional<std::vector<Voce>> figli(const Voce& voce, const std::string& piano) override {
        if (!voce) return std::nullopt;
        RifIO iteratore;
        if (IORegistryEntryGetChildIterator(entrata(voce), piano.c_str(), iteratore.indirizzo()) !=
            KERN_SUCCESS)
            return std::nullopt;
        return raccogli(iteratore.get());
    }

protected:
    void rilascia(std::uintptr_t maniglia) noexcept override {
        IOObjectRelease(static_cast<io_object_t>(maniglia));
    }

private:
    static io_registry_entry_t entrata(const Voce& voce) {
        return static_cast<io_registry_entry_t>(voce.maniglia());
    }

    // Each entry becomes a handle at once, so it is released even if a later step throws.
    std::vector<Voce> raccogli(io_iterator_t iteratore) {
        std::vector<Voce> voci;
        if (iteratore == IO_OBJECT_NULL) return voci;
        while (io_object_t o = IOIteratorNext(iteratore)) {
            Voce v(this, o);
            voci.push_back(std::move(v));
        }
        return voci;
    }
};

}  // namespace

Registro& registroDiSistema() {
    static RegistroIOKit registro;
    return registro;
}

}  // namespace pulsaro
