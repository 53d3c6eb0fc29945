// The I/O registry seam: services by class, properties as plain values, descendants, paths.
#pragma once

#include <concepts>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/host.h"

namespace pulsaro {

// A registry property as a plain value. Types the seam does not carry read as `Altro`,
// so that the shape of an array or dictionary is kept.
struct ValoreRegistro {
    struct Altro {
        bool operator==(const Altro&) const = default;
    };
    using Dizionario = std::map<std::string, ValoreRegistro>;
    using Lista = std::vector<ValoreRegistro>;
    using Byte = std::vector<unsigned char>;

    std::variant<Altro, Dizionario, Lista, std::string, std::int64_t, double, Byte> dato;

    ValoreRegistro() = default;
    ValoreRegistro(Dizionario d) : dato(std::move(d)) {}
    ValoreRegistro(Lista l) : dato(std::move(l)) {}
    ValoreRegistro(std::string s) : dato(std::move(s)) {}
    ValoreRegistro(const char* s) : dato(std::string(s)) {}
    template <std::integral T>
    requires(!std::same_as<T, bool>) ValoreRegistro(T n) : dato(static_cast<std::int64_t>(n)) {}
    ValoreRegistro(double n) : dato(n) {}
    ValoreRegistro(Byte b) : dato(std::move(b)) {}

    const Dizionario* dizionario() const { return std::get_if<Dizionario>(&dato); }
    const Lista* lista() const { return std::get_if<Lista>(&dato); }
    const std::string* testo() const { return std::get_if<std::string>(&dato); }
    const Byte* byte() const { return std::get_if<Byte>(&dato); }
    // Any number, as a double.
    std::optional<double> numero() const;
    // An integer number, or a real number with no fractional part that fits.
    std::optional<std::int64_t> intero() const;

    bool operator==(const ValoreRegistro&) const = default;
};

class Registro;

// A registry entry handle; released through its registry when it goes out of scope.
class Voce {
public:
    Voce() = default;
    Voce(Registro* registro, std::uintptr_t maniglia) : registro_(registro), maniglia_(maniglia) {}
    Voce(const Voce&) = delete;
    Voce& operator=(const Voce&) = delete;
    Voce(Voce&& altra) noexcept;
    Voce& operator=(Voce&& altra) noexcept;
    ~Voce();

    std::uintptr_t maniglia() const { return maniglia_; }
    explicit operator bool() const { return maniglia_ != 0; }

private:
    void rilascia() noexcept;

    Registro* registro_ = nullptr;
    std::uintptr_t maniglia_ = 0;
};

class Registro {
public:
    virtual ~Registro() = default;

    // Services whose class is, or derives from, `classe`. nullopt when the match itself failed;
    // an empty list when nothing matches.
    virtual std::optional<std::vector<Voce>> servizi(const std::string& classe) = 0;
    // A property of an entry; nullopt when absent.
    virtual std::optional<ValoreRegistro> proprieta(const Voce& voce, const std::string& chiave) = 0;
    // Every descendant in the "IOService" plane, depth first.
    virtual std::vector<Voce> discendenti(const Voce& voce) = 0;
    // The entry at a path such as "IODeviceTree:/cpus"; an empty handle when there is none.
    virtual Voce voce(const std::string& percorso) = 0;
    // Direct children in a plane; nullopt when they cannot be listed.
    virtual std::optional<std::vector<Voce>> figli(const Voce& voce, const std::string& piano) = 0;

protected:
    friend class Voce;
    virtual void rilascia(std::uintptr_t maniglia) noexcept = 0;
};

// Core classes from the "IODeviceTree:/cpus" children, in the registry's order. Children
// without a class or a logical core number are left out; repeats are kept for the caller.
std::vector<ClasseCore> classiCoreDalRegistro(Registro& registro);

// "gpu-core-count" of the "AGXAccelerator" service.
std::optional<long long> coreGPUDalRegistro(Registro& registro);

// The registry of this machine (macOS only); lives for the whole run.
Registro& registroDiSistema();

}  // namespace pulsaro
