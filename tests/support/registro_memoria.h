// An in-memory registry that tests build as a tree.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "platform/registro.h"

namespace pulsaro {

class RegistroMemoria : public Registro {
public:
    using Nodo = std::size_t;
    static constexpr Nodo radice = 0;

    RegistroMemoria();

    // A new entry under `genitore` in `piano`. `classi` is the class chain, most derived first,
    // so that a match on a base class finds it too.
    Nodo aggiungi(Nodo genitore, std::vector<std::string> classi, ValoreRegistro::Dizionario proprieta = {},
                  std::string piano = "IOService");
    void imposta(Nodo nodo, const std::string& chiave, ValoreRegistro valore);
    void percorso(const std::string& percorso, Nodo nodo);
    // Makes matching on this class, or listing children of this entry, fail.
    void guastaServizi(const std::string& classe) { classiGuaste_.insert(classe); }
    void guastaFigli(Nodo nodo) { figliGuasti_.insert(nodo); }

    // Handles given out and not yet released.
    int vociAperte() const { return aperte_; }

    std::optional<std::vector<Voce>> servizi(const std::string& classe) override;
    std::optional<ValoreRegistro> proprieta(const Voce& voce, const std::string& chiave) override;
    std::vector<Voce> discendenti(const Voce& voce) override;
    Voce voce(const std::string& percorso) override;
    std::optional<std::vector<Voce>> figli(const Voce& voce, const std::string& piano) override;

protected:
    void rilascia(std::uintptr_t maniglia) noexcept override;

private:
    struct Elemento {
        std::vector<std::string> classi;
        ValoreRegistro::Dizionario proprieta;
        std::string piano;
        std::vector<Nodo> figli;
    };

    Voce apri(Nodo nodo);
    const Elemento* elemento(const Voce& voce) const;
    void raccogli(Nodo nodo, std::vector<Voce>& fuori);

    std::vector<Elemento> elementi_;
    std::vector<std::pair<std::string, Nodo>> percorsi_;
    std::set<std::string> classiGuaste_;
    std::set<Nodo> figliGuasti_;
    int aperte_ = 0;
};

}  // namespace pulsaro
