#include "probes/ioreport_energia.h"

#include <gtest/gtest.h>

#include "probes/libreria_finta.h"

namespace pulsaro {
namespace {

using prova::CanaleFinto;
using prova::LibreriaFinta;

struct Banco {
    LibreriaFinta lib;
    double ora = 100.0;
    std::unique_ptr<IOReportEnergia> energia;

    void crea() {
        energia = std::make_unique<IOReportEnergia>(lib.tabella(), [this] { return ora; });
    }
};

CanaleFinto stato(std::string nome, std::vector<std::pair<std::optional<std::string>, std::int64_t>> stati) {
    return {std::move(nome), std::nullopt, 0, std::move(stati)};
}

TEST(IOReportEnergia, OgniArrestoDellaCostruzioneLasciaLettureVuote) {
    IOReportEnergia senza(nullptr);  // the library missing altogether
    EXPECT_TRUE(!senza.pronta() && senza.leggi().gpu == 0 && !senza.attivitaANE());

    // Functions missing (library names) or calls failing: any of the seven energy functions, the
    // energy channels, the subscription or the first sample leave nothing set up; a state function
    // or the state channels leave the power readings working. Every object is given back.
    const std::vector<std::string> fermano = {"IOReportCopyChannelsInGroup",
                                              "IOReportCreateSubscription",
                                              "IOReportCreateSamples",
                                              "IOReportCreateSamplesDelta",
                                              "IOReportSimpleGetIntegerValue",
                                              "IOReportChannelGetChannelName",
                                              "IOReportChannelGetUnitLabel",
                                              "CopyEnergy",
                                              "Subscription",
                                              "Samples"};
    const std::vector<std::string> soloStati = {"IOReportStateGetCount", "IOReportStateGetNameForIndex",
                                                "IOReportStateGetResidency", "CopyStati"};
    for (const bool pronta : {false, true})
        for (const std::string& f : pronta ? soloStati : fermano) {
            Banco b;
            (f.starts_with("IOReport") ? b.lib.assenti : b.lib.guasti).insert(f);
            b.lib.canaliEnergia = {{"GPU Energy", "mJ", 1000, {}}};
            b.lib.canaliStati = {stato("ANE0", {{"ACT", 10}})};
            b.crea();
            EXPECT_EQ(b.energia->pronta(), pronta) << f;
            EXPECT_EQ(b.lib.campioniCreati() > 0, pronta) << f;
            b.ora += 1;
            EXPECT_DOUBLE_EQ(b.energia->leggi().gpu, pronta ? 1.0 : 0.0) << f;
            EXPECT_FALSE(b.energia->attivitaANE()) << f;
            b.energia.reset();
            EXPECT_EQ(b.lib.oggettiVivi(), 0) << f;
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

TEST(IOReportEnergia, IntervalloMinimoBaseCheAvanzaSoloConUnDeltaEOgniOggettoRilasciato) {
    Banco b;
    b.lib.canaliEnergia = {{"GPU Energy", "mJ", 10, {}}};
    b.lib.canaliStati = {stato("ANE0", {{"INACT", 1}, {"ACT", 1}})};
    b.lib.restituisceSottoscritti = false;  // the copied channels are kept instead
    b.crea();
    EXPECT_EQ(b.lib.oggettiVivi(), 4) << "two channel lists and two baselines";
    const auto leggi = [&](double secondi) {
        b.ora += secondi;
        b.energia->attivitaANE();
        return b.energia->leggi().gpu;
    };
    EXPECT_DOUBLE_EQ(leggi(0.001), 0.01 / 0.01);  // 10 mJ over the 0.01 s floor

    // A failed delta leaves the time base where it was: the next interval covers
    // both.
    b.lib.guasti = {"Delta"};
    EXPECT_EQ(leggi(1), 0);
    b.lib.guasti.clear();
    EXPECT_DOUBLE_EQ(leggi(1), 0.01 / 2);

    // A delta without a channel array still moves the base.
    b.lib.deltaSenzaCanali = true;
    EXPECT_EQ(leggi(1), 0);
    b.lib.deltaSenzaCanali = false;
    EXPECT_DOUBLE_EQ(leggi(4), 0.01 / 4);

    // An empty array, or a failed sample, reads as nothing.
    b.lib.canaliEnergia.clear();
    EXPECT_EQ(leggi(1), 0);
    b.lib.guasti = {"Samples"};
    EXPECT_EQ(leggi(1), 0);
    EXPECT_TRUE(b.energia->pronta());
    EXPECT_EQ(b.lib.oggettiVivi(), 4);
    b.energia.reset();
    EXPECT_EQ(b.lib.oggettiVivi(), 0);
}

}  // namespace
}  // namespace pulsaro
