#include "shell/esportatore.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <chrono>
#include <clocale>
#include <future>

#include "platform/diario.h"
#include "platform/numeri.h"
#include "platform/qt/server_metriche.h"
#include "platform/tabella_preferenze.h"
#include "sampling/esposizione.h"
#include "sampling/monitor.h"

namespace pulsaro {

namespace {

// A scrape waits at most this long for the sampling queue (one listing takes milliseconds).
constexpr std::chrono::seconds attesaLettura{5};

std::string indirizzoUrl(const IndirizzoEsportazione& d) {
    return "http://" + d.testo() + "/metrics";
}

}  // namespace

std::string IndirizzoEsportazione::testo() const {
    const bool v6 = host.find(':') != std::string::npos;
    return (v6 ? "[" + host + "]" : host) + ":" + std::to_string(porta);
}

std::optional<IndirizzoEsportazione> leggiIndirizzoEsportazione(std::string_view t) {
    IndirizzoEsportazione d{indirizzoEsportazione, 0};
    std::string_view porta = t;
    if (!t.empty() && t.front() == '[') {
        const std::size_t chiusa = t.find("]:");
        if (chiusa == std::string_view::npos) return std::nullopt;
        d.host = std::string(t.substr(1, chiusa - 1));
        porta = t.substr(chiusa + 2);
    } else if (const std::size_t due = t.rfind(':'); due != std::string_view::npos) {
        d.host = std::string(t.substr(0, due));
        porta = t.substr(due + 1);
        // An IPv6 address needs its brackets, so that its last group is not taken for the port.
        if (d.host.find(':') != std::string::npos) return std::nullopt;
    }
    if (d.host == "localhost") d.host = indirizzoEsportazione;
    const auto n = interoRigoroso(porta);
    if (d.host.empty() || !n || *n < 1 || *n > 65535) return std::nullopt;
    d.porta = static_cast<std::uint16_t>(*n);
    return d;
}

bool opzioneEsportazione(const std::vector<std::string>& a, std::size_t& i, OpzioniEsportazione& o,
                         std::string& errore) {
    const bool dove = a[i] == "--esporta";
    if (!dove && a[i] != "--esporta-processi") return false;
    if (i + 1 >= a.size()) {
        errore = "manca il valore di " + a[i];
        return true;
    }
    const std::string& v = a[++i];
    if (dove) {
        o.dove = leggiIndirizzoEsportazione(v);
        if (!o.dove) errore = "--esporta vuole [indirizzo:]porta, non \"" + v + "\"";
    } else {
        const auto n = interoRigoroso(v);
        if (!n || *n < 0 || *n > massimoProcessiEsportati)
            errore = "--esporta-processi vuole un numero da 0 a " + std::to_string(massimoProcessiEsportati) +
                     ", non \"" + v + "\"";
        else
            o.processi = static_cast<int>(*n);
    }
    return true;
}

Esportatore::Esportatore(Monitor& monitor, const IndirizzoEsportazione& dove, int processi) {
    if (!QCoreApplication::instance()) {
        // Qt takes the user's locale at start; the terminal's lines keep the C one they had.
        const std::string locale = std::setlocale(LC_ALL, nullptr);
        app_ = std::make_unique<QCoreApplication>(argc_, argv_);
        std::setlocale(LC_ALL, locale.c_str());
    }
    std::weak_ptr<Monitor> debole = monitor.weak_from_this();
    server_ = std::make_unique<ServerMetriche>([debole, processi](const std::string& accept) {
        auto promessa = std::make_shared<std::promise<LetturaEsportata>>();
        auto futuro = promessa->get_future();
        if (auto m = debole.lock())
            m->leggiPerEsportare(processi,
                                 [promessa](LetturaEsportata l) { promessa->set_value(std::move(l)); });
        // A monitor gone, or a queue that drops the task, breaks the promise: no answer either.
        promessa.reset();
        if (futuro.wait_for(attesaLettura) != std::future_status::ready)
            return ServerMetriche::Risposta{503, "text/plain; charset=utf-8", "campione non pronto\n"};
        try {
            const LetturaEsportata l = futuro.get();
            const FormatoEsposizione f = formatoPerAccept(accept);
            return ServerMetriche::Risposta{200, std::string(tipoContenuto(f)), esposizione(l, f)};
        } catch (const std::future_error&) {
            return ServerMetriche::Risposta{503, "text/plain; charset=utf-8", "campione non pronto\n"};
        }
    });
    errore_ = server_->ascolta(dove.host, dove.porta);
    if (errore_) {
        diario(LivelloDiario::errore, "esportazione",
               "impossibile esportare le misure su " + dove.testo() + ": " + *errore_);
        server_.reset();
        return;
    }
    const IndirizzoEsportazione vero{dove.host, server_->porta()};
    if (ServerMetriche::locale(dove.host))
        diario(LivelloDiario::info, "esportazione", "misure per Prometheus su " + indirizzoUrl(vero));
    else
        diario(LivelloDiario::avviso, "esportazione",
               "misure per Prometheus su " + indirizzoUrl(vero) + ", raggiungibili anche da altre macchine");
}

Esportatore::~Esportatore() = default;

std::uint16_t Esportatore::porta() const {
    return server_ ? server_->porta() : 0;
}

EsportazioneApplicazione::EsportazioneApplicazione(Monitor& monitor, Preferenze& preferenze,
                                                   OpzioniEsportazione opzioni)
    : monitor_(monitor), preferenze_(preferenze), opzioni_(std::move(opzioni)) {
    segui();
    if (opzioni_.dove) return;
    osserva_ = preferenze_.osserva([this](const std::string& chiave) {
        if (chiave != TabellaPreferenze::esportaMisure.chiave) return;
        // Writers on another thread hand the change to this one.
        QMetaObject::invokeMethod(QCoreApplication::instance(), [this] { segui(); });
    });
}

EsportazioneApplicazione::~EsportazioneApplicazione() = default;

void EsportazioneApplicazione::segui() {
    if (opzioni_.dove) {
        if (!esportatore_)
            esportatore_ = std::make_unique<Esportatore>(monitor_, *opzioni_.dove, opzioni_.processi);
        return;
    }
    if (!TabellaPreferenze::esportaMisure.leggi(preferenze_)) {
        esportatore_.reset();
    } else if (!esportatore_) {
        esportatore_ = std::make_unique<Esportatore>(
            monitor_, IndirizzoEsportazione{indirizzoEsportazione, portaEsportazione}, opzioni_.processi);
    }
}

}  // namespace pulsaro
