// IOReport energy on a stand-in library: channels set by the test, any function left out, any
// call made to fail, and every object it hands out counted until given back.
#include "probes/ioreport_energia.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>

namespace pulsaro {
namespace {

struct CanaleFinto {
    std::optional<std::string> nome;
    std::optional<std::string> unita;
    std::int64_t valore = 0;
    std::vector<std::pair<std::optional<std::string>, std::int64_t>> stati;  // (name, residency)
};

// A channel handle inside a delta is the address of the channel record.
const CanaleFinto& canale(OggettoIOReport c) {
    return *static_cast<const CanaleFinto*>(c);
}

struct LibreriaFinta {
    // The channels that the next delta of each subscription carries.
    std::vector<CanaleFinto> canaliEnergia, canaliStati;
    // Calls that return none: "CopyEnergy", "CopyStati", "Subscription", "Samples".
    std::set<std::string> guasti;
    int campioni = 0;
    struct Oggetto {
        std::string gruppo;
        std::vector<CanaleFinto> canali;
    };
    std::map<const void*, std::unique_ptr<Oggetto>> vivi;
    std::map<std::string, int> sottoscrizioni;

    OggettoIOReport nuovo(std::string gruppo, std::vector<CanaleFinto> canali = {}) {
        auto o = std::make_unique<Oggetto>(Oggetto{std::move(gruppo), std::move(canali)});
        const void* chiave = o.get();
        vivi[chiave] = std::move(o);
        return chiave;
    }
    const Oggetto& oggetto(OggettoIOReport o) const {
        auto it = vivi.find(o);
        if (it == vivi.end()) throw std::logic_error("object used after release or never made");
        return *it->second;
    }

    LibreriaIOReport tabella() {
        LibreriaIOReport t;
        t.copiaCanaliDelGruppo = [this](const std::string& g, const std::optional<std::string>& s) {
            if (g == "Energy Model" && !s && !guasti.count("CopyEnergy")) return nuovo("energia");
            if (g == "SoC Stats" && s == "Cluster Power States" && !guasti.count("CopyStati"))
                return nuovo("stati");
            return OggettoIOReport{};
        };
        t.creaSottoscrizione = [this](OggettoIOReport canali, OggettoIOReport* fuori) {
            const std::string gruppo = oggetto(canali).gruppo;
            if (guasti.count("Subscription")) return SottoscrizioneIOReport{};
            *fuori = nuovo(gruppo);
            return static_cast<SottoscrizioneIOReport>(&sottoscrizioni[gruppo]);
        };
        t.creaCampioni = [this](SottoscrizioneIOReport sub, OggettoIOReport canali) {
            const std::string gruppo = oggetto(canali).gruppo;
            if (sub != &sottoscrizioni[gruppo]) throw std::logic_error("subscription of another group");
            if (guasti.count("Samples")) return OggettoIOReport{};
            ++campioni;
            return nuovo(gruppo);
        };
        t.creaDelta = [this](OggettoIOReport a, OggettoIOReport b) {
            const std::string gruppo = oggetto(a).gruppo;
            if (oggetto(b).gruppo != gruppo) throw std::logic_error("delta across groups");
            return nuovo(gruppo, gruppo == "energia" ? canaliEnergia : canaliStati);
        };
        t.valoreIntero = [](OggettoIOReport c, std::int32_t) { return canale(c).valore; };
        t.nomeCanale = [](OggettoIOReport c) { return canale(c).nome; };
        t.unitaCanale = [](OggettoIOReport c) { return canale(c).unita; };
        t.numeroStati = [](OggettoIOReport c) { return static_cast<std::int32_t>(canale(c).stati.size()); };
        t.nomeStato = [](OggettoIOReport c, std::int32_t i) { return canale(c).stati.at(i).first; };
        t.residenzaStato = [](OggettoIOReport c, std::int32_t i) { return canale(c).stati.at(i).second; };
        t.canaliDelDelta = [this](OggettoIOReport delta) -> std::optional<std::vector<OggettoIOReport>> {
            const Oggetto& o = oggetto(delta);
            std::vector<OggettoIOReport> canali;
            for (const auto& c : o.canali) canali.push_back(&c);
            return canali;
        };
        t.rilascia = [this](OggettoIOReport o) {
            if (!vivi.erase(o)) throw std::logic_error("released twice or never made");
        };
        return t;
    }
};

using Togli = void (*)(LibreriaIOReport&);

struct Banco {
    LibreriaFinta lib;
    double ora = 100.0;
    std::unique_ptr<IOReportEnergia> energia;

    void crea(Togli togli = nullptr) {
        auto t = std::make_shared<LibreriaIOReport>(lib.tabella());
        if (togli) togli(*t);
        energia = std::make_unique<IOReportEnergia>(t, [this] { return ora; });
    }
};

CanaleFinto stato(std::string nome, std::vector<std::pair<std::optional<std::string>, std::int64_t>> stati) {
    return {std::move(nome), std::nullopt, 0, std::move(stati)};
}

TEST(IOReportEnergia, OgniArrestoDellaCostruzioneLasciaLettureVuote) {
    IOReportEnergia senza(nullptr);  // the library missing altogether
    EXPECT_TRUE(!senza.pronta() && senza.leggi().gpu == 0 && !senza.attivitaANE());

    // Any of the seven energy functions missing, or the energy channels, the subscription or the
    // first sample failing, leaves nothing set up; a state function missing or the state channels
    // failing leaves the power readings working. Every object is given back.
    const std::pair<bool, Togli> tolte[] = {
        {false, [](LibreriaIOReport& l) { l.copiaCanaliDelGruppo = nullptr; }},
        {false, [](LibreriaIOReport& l) { l.creaSottoscrizione = nullptr; }},
        {false, [](LibreriaIOReport& l) { l.creaCampioni = nullptr; }},
        {false, [](LibreriaIOReport& l) { l.creaDelta = nullptr; }},
        {false, [](LibreriaIOReport& l) { l.valoreIntero = nullptr; }},
        {false, [](LibreriaIOReport& l) { l.nomeCanale = nullptr; }},
        {false, [](LibreriaIOReport& l) { l.unitaCanale = nullptr; }},
        {true, [](LibreriaIOReport& l) { l.numeroStati = nullptr; }},
        {true, [](LibreriaIOReport& l) { l.nomeStato = nullptr; }},
        {true, [](LibreriaIOReport& l) { l.residenzaStato = nullptr; }},
    };
    const auto prova = [](bool pronta, Togli togli, const char* guasto) {
        Banco b;
        if (guasto) b.lib.guasti.insert(guasto);
        b.lib.canaliEnergia = {{"GPU Energy", "mJ", 1000, {}}};
        b.lib.canaliStati = {stato("ANE0", {{"ACT", 10}})};
        b.crea(togli);
        EXPECT_EQ(b.energia->pronta(), pronta);
        EXPECT_EQ(b.lib.campioni > 0, pronta);
        b.ora += 1;
        EXPECT_DOUBLE_EQ(b.energia->leggi().gpu, pronta ? 1.0 : 0.0);
        EXPECT_FALSE(b.energia->attivitaANE());
        b.energia.reset();
        EXPECT_TRUE(b.lib.vivi.empty());
    };
    for (std::size_t i = 0; i < std::size(tolte); ++i) {
        SCOPED_TRACE(i);
        prova(tolte[i].first, tolte[i].second, nullptr);
    }
    for (const char* guasto : {"CopyEnergy", "Subscription", "Samples", "CopyStati"}) {
        SCOPED_TRACE(guasto);
        prova(std::string(guasto) == "CopyStati", nullptr, guasto);
    }
}

TEST(IOReportEnergia, UnitaConvertiteEUnitaIgnorate) {
    Banco b;
    b.lib.canaliEnergia = {
        {"GPU Energy", "mJ", 500, {}},   {"ANE0", "uJ", 200000, {}},
        {"ANE1", " nJ ", 100000000, {}},  // blanks around the unit are tolerated
        {"GPU Energy", "J", 7, {}},       // unknown units are skipped whatever the name
        {"GPU Energy", "pJ", 7000, {}},  {"ANE2", std::nullopt, 9, {}},
        {"GPU Energy2", "mJ", 9000, {}},  // not exactly "GPU Energy"
        {"xANE", "mJ", 9000, {}},         // "ANE" only as a prefix
        {std::nullopt, "mJ", 9000, {}},
    };
    b.crea();
    b.ora += 2;
    Potenze p = b.energia->leggi();
    EXPECT_DOUBLE_EQ(p.gpu, 0.25);
    EXPECT_DOUBLE_EQ(p.ane, 0.15);
    EXPECT_EQ(b.energia->numeroANE(), 2);
    // A later delta without "ANE" channels keeps the count; counters going backwards pass through.
    b.lib.canaliEnergia = {{"GPU Energy", "nJ", -2000000000, {}}};
    b.ora += 1;
    p = b.energia->leggi();
    EXPECT_TRUE(p.gpu == -2.0 && p.ane == 0.0) << p.gpu << " " << p.ane;
    EXPECT_EQ(b.energia->numeroANE(), 2);
    // An interval too short to divide by is floored to 0.01 s.
    b.ora += 0.001;
    EXPECT_DOUBLE_EQ(b.energia->leggi().gpu, -2.0 / 0.01);
}

TEST(IOReportEnergia, AttivitaMediaSuiCanaliANE) {
    Banco b;
    b.lib.canaliStati = {
        stato("ANE0", {{"INACT", 300}, {"ACT1", 100}, {std::nullopt, 100}}),  // 0.4, unnamed counts as active
        stato("ANE1 cluster", {{"ACT", 50}, {"INACT", -20}}),                 // negative taken as 0: 1.0
        stato("GPU", {{"INACT", 0}, {"ACT", 100}}),                           // not a Neural Engine channel
        stato("ANE2", {{"INACT", 0}, {"ACT", 0}}),                            // all zero: not counted
        stato("ANE3", {}),                                                    // no states
        stato("inact", {{"inact", 10}}),
    };
    b.crea();
    EXPECT_DOUBLE_EQ(b.energia->attivitaANE().value_or(-1), 0.7);
    b.lib.canaliStati = {stato("xxANExx", {{"INACT", 1}, {"ON", 3}})};  // substring match
    EXPECT_DOUBLE_EQ(b.energia->attivitaANE().value_or(-1), 0.75);

    b.lib.canaliStati = {stato("ANE0", {{"INACT", 0}, {"ACT", 0}})};
    EXPECT_FALSE(b.energia->attivitaANE());
    b.lib.canaliStati.clear();
    EXPECT_FALSE(b.energia->attivitaANE());
}

}  // namespace
}  // namespace pulsaro
