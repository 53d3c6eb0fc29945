#include "probes/ioreport_energia.h"

#include <algorithm>
#include <chrono>
#include <string_view>
#include <utility>

namespace pulsaro {

namespace {

double secondiMonotoni() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Some chips pad the unit label with blanks.
std::string_view senzaVuoti(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::optional<double> joulePer(std::string_view unita) {
    unita = senzaVuoti(unita);
    if (unita == "mJ") return 1e3;
    if (unita == "uJ") return 1e6;
    if (unita == "nJ") return 1e9;
    return std::nullopt;
}

}  // namespace

IOReportEnergia::Posseduto& IOReportEnergia::Posseduto::operator=(Posseduto&& altro) noexcept {
    if (this != &altro) {
        libera();
        lib_ = std::exchange(altro.lib_, nullptr);
        o_ = std::exchange(altro.o_, nullptr);
    }
    return *this;
}

void IOReportEnergia::Posseduto::libera() noexcept {
    if (o_ && lib_ && lib_->rilascia) lib_->rilascia(o_);
    o_ = nullptr;
}

IOReportEnergia::IOReportEnergia(std::shared_ptr<const LibreriaIOReport> libreria, Orologio orologio)
    : lib_(std::move(libreria)), orologio_(orologio ? std::move(orologio) : Orologio(secondiMonotoni)) {
    istantePrecedente_ = orologio_();
    if (!lib_) return;
    const LibreriaIOReport& l = *lib_;

    if (!l.copiaCanaliDelGruppo || !l.creaSottoscrizione || !l.creaCampioni || !l.creaDelta ||
        !l.valoreIntero || !l.nomeCanale || !l.unitaCanale)
        return;
    funzioniEnergia_ = true;

    Posseduto energia = possiedi(l.copiaCanaliDelGruppo("Energy Model", std::nullopt));
    if (!energia) return;
    sottoscrivi(std::move(energia), sottoscrizione_, canali_, precedente_);

    // Without the state functions the power reading still works.
    if (!l.numeroStati || !l.nomeStato || !l.residenzaStato) return;
    Posseduto stati = possiedi(l.copiaCanaliDelGruppo("SoC Stats", std::string("Cluster Power States")));
    if (!stati) return;
    funzioniStati_ = true;
    sottoscrivi(std::move(stati), subStati_, canaliStati_, precStati_);
}

void IOReportEnergia::sottoscrivi(Posseduto canali, SottoscrizioneIOReport& sottoscrizione,
                                  Posseduto& sottoscritti, Posseduto& campione) {
    OggettoIOReport uscita = nullptr;
    sottoscrizione = lib_->creaSottoscrizione(canali.get(), &uscita);
    // The subscribed list comes out of a Create function, so Core Foundation's Create rule makes
    // it ours, and public readers of these channels (btop's among them) release it at teardown:
    // it is released with this probe.
    sottoscritti = uscita ? possiedi(uscita) : std::move(canali);
    if (sottoscrizione && sottoscritti)
        campione = possiedi(lib_->creaCampioni(sottoscrizione, sottoscritti.get()));
}

Potenze IOReportEnergia::leggi() {
    if (!funzioniEnergia_ || !sottoscrizione_ || !canali_ || !precedente_) return {};
    const LibreriaIOReport& l = *lib_;
    Posseduto nuovo = possiedi(l.creaCampioni(sottoscrizione_, canali_.get()));
    if (!nuovo) return {};
    Posseduto delta = possiedi(l.creaDelta(precedente_.get(), nuovo.get()));
    if (!delta) return {};

    double ora = orologio_();
    // A floor, so that two calls in quick succession do not blow the power up.
    double dt = std::max(ora - istantePrecedente_, 0.01);
    precedente_ = std::move(nuovo);
    istantePrecedente_ = ora;

    auto canali = l.canaliDelDelta ? l.canaliDelDelta(delta.get()) : std::nullopt;
    if (!canali) return {};

    double gpu = 0, ane = 0;
    int canaliANE = 0;
    for (OggettoIOReport canale : *canali) {
        std::string nome = l.nomeCanale(canale).value_or("");
        auto divisore = joulePer(l.unitaCanale(canale).value_or(""));
        if (!divisore) continue;
        double joule = static_cast<double>(l.valoreIntero(canale, 0)) / *divisore;
        if (nome.starts_with("ANE")) {
            ane += joule;
            ++canaliANE;
        } else if (nome == "GPU Energy") {
            gpu += joule;
        }
    }
    if (canaliANE > 0) numeroANE_ = canaliANE;
    return {gpu / dt, ane / dt};
}

std::optional<double> IOReportEnergia::attivitaANE() {
    if (!funzioniStati_ || !subStati_ || !canaliStati_ || !precStati_) return std::nullopt;
    const LibreriaIOReport& l = *lib_;
    Posseduto nuovo = possiedi(l.creaCampioni(subStati_, canaliStati_.get()));
    if (!nuovo) return std::nullopt;
    Posseduto delta = possiedi(l.creaDelta(precStati_.get(), nuovo.get()));
    if (!delta) return std::nullopt;
    precStati_ = std::move(nuovo);

    auto canali = l.canaliDelDelta ? l.canaliDelDelta(delta.get()) : std::nullopt;
    if (!canali || canali->empty()) return std::nullopt;

    double somma = 0;
    int contati = 0;
    for (OggettoIOReport canale : *canali) {
        std::string nome = l.nomeCanale(canale).value_or("");
        if (nome.find("ANE") == std::string::npos) continue;
        std::int32_t stati = l.numeroStati(canale);
        double totale = 0, attivo = 0;
        for (std::int32_t i = 0; i < stati; ++i) {
            double r = static_cast<double>(std::max<std::int64_t>(l.residenzaStato(canale, i), 0));
            totale += r;
            if (l.nomeStato(canale, i) != std::optional<std::string>("INACT")) attivo += r;
        }
        if (totale > 0) {
            somma += attivo / totale;
            ++contati;
        }
    }
    if (contati == 0) return std::nullopt;
    return somma / contati;
}

}  // namespace pulsaro
