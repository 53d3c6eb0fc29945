#include "probes/libreria_finta.h"

#include <stdexcept>

namespace pulsaro::prova {

OggettoIOReport LibreriaFinta::nuovo(std::string gruppo, std::vector<CanaleFinto> canali) {
    auto o = std::make_unique<Oggetto>(Oggetto{std::move(gruppo), std::move(canali)});
    const void* chiave = o.get();
    vivi_[chiave] = std::move(o);
    return chiave;
}

const LibreriaFinta::Oggetto* LibreriaFinta::oggetto(OggettoIOReport o) const {
    auto it = vivi_.find(o);
    if (it == vivi_.end()) throw std::logic_error("object used after release or never made");
    return it->second.get();
}

namespace {
// A channel handle inside a delta is the address of the channel record.
const CanaleFinto& canale(OggettoIOReport c) {
    return *static_cast<const CanaleFinto*>(c);
}
}  // namespace

std::shared_ptr<const LibreriaIOReport> LibreriaFinta::tabella() {
    auto t = std::make_shared<LibreriaIOReport>();
    auto presente = [this](const char* nome) { return !assenti.count(nome); };

    if (presente("IOReportCopyChannelsInGroup"))
        t->copiaCanaliDelGruppo = [this](const std::string& g, const std::optional<std::string>& s) {
            if (g == "Energy Model" && !s && !guasti.count("CopyEnergy")) return nuovo("energia");
            if (g == "SoC Stats" && s == "Cluster Power States" && !guasti.count("CopyStati"))
                return nuovo("stati");
            return OggettoIOReport{};
        };
    if (presente("IOReportCreateSubscription"))
        t->creaSottoscrizione = [this](OggettoIOReport canali, OggettoIOReport* fuori) {
            const std::string gruppo = oggetto(canali)->gruppo;
            if (guasti.count("Subscription")) return SottoscrizioneIOReport{};
            if (restituisceSottoscritti) *fuori = nuovo(gruppo);
            return static_cast<SottoscrizioneIOReport>(&sottoscrizioni_[gruppo]);
        };
    if (presente("IOReportCreateSamples"))
        t->creaCampioni = [this](SottoscrizioneIOReport sub, OggettoIOReport canali) {
            const std::string gruppo = oggetto(canali)->gruppo;
            if (sub != &sottoscrizioni_[gruppo]) throw std::logic_error("subscription of another group");
            if (guasti.count("Samples")) return OggettoIOReport{};
            ++campioni_;
            return nuovo(gruppo);
        };
    if (presente("IOReportCreateSamplesDelta"))
        t->creaDelta = [this](OggettoIOReport a, OggettoIOReport b) {
            const std::string gruppo = oggetto(a)->gruppo;
            if (oggetto(b)->gruppo != gruppo) throw std::logic_error("delta across groups");
            if (guasti.count("Delta")) return OggettoIOReport{};
            return nuovo(gruppo, gruppo == "energia" ? canaliEnergia : canaliStati);
        };
    if (presente("IOReportSimpleGetIntegerValue"))
        t->valoreIntero = [](OggettoIOReport c, std::int32_t) { return canale(c).valore; };
    if (presente("IOReportChannelGetChannelName"))
        t->nomeCanale = [](OggettoIOReport c) { return canale(c).nome; };
    if (presente("IOReportChannelGetUnitLabel"))
        t->unitaCanale = [](OggettoIOReport c) { return canale(c).unita; };
    if (presente("IOReportStateGetCount"))
        t->numeroStati = [](OggettoIOReport c) { return static_cast<std::int32_t>(canale(c).stati.size()); };
    if (presente("IOReportStateGetNameForIndex"))
        t->nomeStato = [](OggettoIOReport c, std::int32_t i) { return canale(c).stati.at(i).first; };
    if (presente("IOReportStateGetResidency"))
        t->residenzaStato = [](OggettoIOReport c, std::int32_t i) { return canale(c).stati.at(i).second; };

    t->canaliDelDelta = [this](OggettoIOReport delta) -> std::optional<std::vector<OggettoIOReport>> {
        const Oggetto* o = oggetto(delta);
        if (deltaSenzaCanali) return std::nullopt;
        std::vector<OggettoIOReport> canali;
        for (const auto& c : o->canali) canali.push_back(&c);
        return canali;
    };
    t->rilascia = [this](OggettoIOReport o) {
        if (!vivi_.erase(o)) throw std::logic_error("released twice or never made");
    };
    return t;
}

}  // namespace pulsaro::prova
