// User preferences: typed reads that fall back to the default, writes, change notification.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/abbonamento.h"

namespace pulsaro {

using ValorePreferenza = std::variant<bool, std::int64_t, double, std::string>;

class Preferenze {
public:
    using Osservatore = std::function<void(const std::string& chiave)>;

    virtual ~Preferenze() = default;

    // The stored value, if any, as the store holds it.
    virtual std::optional<ValorePreferenza> valore(const std::string& chiave) const = 0;
    virtual void scrivi(const std::string& chiave, const ValorePreferenza& v) = 0;
    virtual void rimuovi(const std::string& chiave) = 0;
    // A value the program sets by itself (the migration's mark, a window's frame), not the user's
    // change: where the store has a file it could not read, such a value lives in memory until
    // the user changes something, and never replaces that file by itself.
    virtual void scriviPropria(const std::string& chiave, const ValorePreferenza& v) { scrivi(chiave, v); }
    // Where the store moved a file it could not read, to write the user's change; else none.
    virtual std::optional<std::string> messoDaParte() const { return std::nullopt; }
    // True while the last write did not reach the store: the values written live until the end
    // of this run, and the next change tries again.
    virtual bool scritturaFallita() const { return false; }

    // Typed reads: missing or mistyped values read as the default.
    bool booleano(const std::string& chiave, bool predefinito) const;
    std::optional<bool> booleano(const std::string& chiave) const;
    std::int64_t intero(const std::string& chiave, std::int64_t predefinito) const;
    std::optional<std::int64_t> intero(const std::string& chiave) const;
    std::string testo(const std::string& chiave, const std::string& predefinito) const;
    std::optional<std::string> testo(const std::string& chiave) const;

    // Called after every write or removal made through this store, on the writer's thread.
    Abbonamento osserva(Osservatore o);

protected:
    void annuncia(const std::string& chiave);

private:
    Abbonati<const std::string&> osservatori_;
};

// In-memory store for tests and for runs that keep nothing.
class PreferenzeInMemoria : public Preferenze {
public:
    std::optional<ValorePreferenza> valore(const std::string& chiave) const override;
    void scrivi(const std::string& chiave, const ValorePreferenza& v) override;
    void rimuovi(const std::string& chiave) override;

private:
    mutable std::mutex mutex_;
    std::vector<std::pair<std::string, ValorePreferenza>> valori_;
};

}  // namespace pulsaro
