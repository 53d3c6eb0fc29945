// The endpoint that Prometheus scrapes: its options, and the server that answers with the
// monitor's figures, in the terminal mode and in the menu-bar application alike.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/abbonamento.h"
#include "platform/preferenze.h"

class QCoreApplication;

namespace pulsaro {

class Monitor;
class ServerMetriche;

struct IndirizzoEsportazione {
    std::string host;  // an IPv4 or IPv6 literal
    std::uint16_t porta = 0;

    std::string testo() const;  // "127.0.0.1:9420", "[::1]:9420"
    bool operator==(const IndirizzoEsportazione&) const = default;
};

// "porta", "indirizzo:porta" or "[indirizzo IPv6]:porta"; only a port means this machine's
// loopback address, "localhost" is read as 127.0.0.1. Nothing when malformed.
std::optional<IndirizzoEsportazione> leggiIndirizzoEsportazione(std::string_view testo);

struct OpzioniEsportazione {
    std::optional<IndirizzoEsportazione> dove;  // --esporta
    int processi = 0;                           // --esporta-processi
};

// Takes `--esporta [indirizzo:]porta` or `--esporta-processi N` at argomenti[i] (moving i past its
// value) into `o`. False when argomenti[i] is neither; `errore` is set when its value is wrong.
bool opzioneEsportazione(const std::vector<std::string>& argomenti, std::size_t& i, OpzioniEsportazione& o,
                         std::string& errore);

// Serves GET /metrics while it lives. Made and ended on one thread; the monitor may go first.
class Esportatore {
public:
    Esportatore(Monitor& monitor, const IndirizzoEsportazione& dove, int processi);
    ~Esportatore();
    Esportatore(const Esportatore&) = delete;
    Esportatore& operator=(const Esportatore&) = delete;

    // Why it does not listen (already told in the log), or nothing when it does.
    const std::optional<std::string>& errore() const { return errore_; }
    std::uint16_t porta() const;

private:
    // The terminal mode has no Qt application; the server's thread needs one.
    std::unique_ptr<QCoreApplication> app_;
    int argc_ = 1;
    char nome_[8] = "pulsaro";
    char* argv_[2] = {nome_, nullptr};
    std::unique_ptr<ServerMetriche> server_;
    std::optional<std::string> errore_;
};

// The application's endpoint: always on the address given with --esporta, else while the
// settings switch is on, on this machine's loopback address. Main thread.
class EsportazioneApplicazione {
public:
    EsportazioneApplicazione(Monitor& monitor, Preferenze& preferenze, OpzioniEsportazione opzioni);
    ~EsportazioneApplicazione();

private:
    void segui();

    Monitor& monitor_;
    Preferenze& preferenze_;
    const OpzioniEsportazione opzioni_;
    std::unique_ptr<Esportatore> esportatore_;
    Abbonamento osserva_;
};

}  // namespace pulsaro
