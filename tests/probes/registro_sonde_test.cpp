// The registry readers and the creator text they read the process from.
#include <gtest/gtest.h>

#include "probes/client_ane.h"
#include "probes/creatore.h"
#include "probes/lettura_gpu.h"
#include "support/registro_memoria.h"

namespace pulsaro {
namespace {

using D = ValoreRegistro::Dizionario;
using L = ValoreRegistro::Lista;

ValoreRegistro uso(std::vector<ValoreRegistro> tempi) {
    L l;
    for (auto& t : tempi) l.emplace_back(D{{"accumulatedGPUTime", std::move(t)}});
    return l;
}

RegistroMemoria::Nodo acceleratore(RegistroMemoria& r, std::optional<double> utilizzo) {
    D proprieta;
    if (utilizzo) proprieta["PerformanceStatistics"] = D{{"Device Utilization %", *utilizzo}};
    return r.aggiungi(RegistroMemoria::radice, {"AGXAcceleratorG13X", "IOAccelerator"}, proprieta);
}

void cliente(RegistroMemoria& r, RegistroMemoria::Nodo sotto, ValoreRegistro creatore,
             std::optional<ValoreRegistro> appUsage) {
    D p{{"IOUserClientCreator", std::move(creatore)}};
    if (appUsage) p["AppUsage"] = *appUsage;
    r.aggiungi(sotto, {"AGXDeviceUserClient", "IOUserClient"}, p);
}

TEST(LetturaGPU, UtilizzoMassimoTempiPerProcessoEMatchFallito) {
    RegistroMemoria r;
    EXPECT_FALSE(letturaGPU(r).trovata);
    auto a = acceleratore(r, 55.5);  // the busiest is not the last
    auto b = acceleratore(r, 30);
    auto senza = acceleratore(r, std::nullopt);  // a utilisation that is text does not count
    r.imposta(senza, "PerformanceStatistics", D{{"Device Utilization %", "80"}});
    r.aggiungi(RegistroMemoria::radice, {"IOAcceleratorFamily"}, {{"PerformanceStatistics", D{}}});

    auto gruppo = r.aggiungi(a, {"IOAccelShared"});
    cliente(r, gruppo, "pid 412, Safari", uso({1000, 2500}));   // nested: found recursively
    cliente(r, b, "pid 412,Safari Web", uso({500}));            // summed; last name wins
    cliente(r, b, "pid 77", L{});                               // empty usage: entry at 0
    cliente(r, b, "pid 9, senza uso", std::nullopt);            // no "AppUsage": no entry
    cliente(r, b, "pid 10, misto", L{D{}, ValoreRegistro(3)});  // not all dictionaries
    cliente(r, b, "pid 11, strani",
            L{D{}, D{{"accumulatedGPUTime", "7"}}, D{{"accumulatedGPUTime", -5}},
              D{{"accumulatedGPUTime", 2.0}}});
    cliente(r, b, "PID 12, x", uso({1}));
    cliente(r, b, ValoreRegistro(14), uso({1}));
    cliente(r, senza, "pid 15, gpu", uso({4}));

    LetturaGPU l = letturaGPU(r);
    EXPECT_TRUE(l.trovata);
    EXPECT_DOUBLE_EQ(l.totale, 55.5);
    std::map<std::int32_t, std::pair<std::uint64_t, std::string>> atteso{
        {412, {4000, "Safari Web"}}, {77, {0, ""}}, {11, {2, "strani"}}, {15, {4, "gpu"}}};
    EXPECT_EQ(l.perPid, atteso);

    // A failed match is no GPU, and leaves nothing open.
    r.guastaServizi("IOAccelerator");
    EXPECT_FALSE(letturaGPU(r).trovata);
    EXPECT_EQ(r.vociAperte(), 0);
}

TEST(ClientANE, CreatoriRottiEClassiSenzaMatchSaltati) {
    RegistroMemoria r;
    auto ane = r.aggiungi(RegistroMemoria::radice, {"H11ANEIn"});
    r.aggiungi(ane, {"x"}, {{"IOUserClientCreator", "pid abc, rotto"}});
    r.aggiungi(ane, {"x"}, {{"IOUserClientCreator", "pid 60,  solo"}});
    auto bilanciatore = r.aggiungi(RegistroMemoria::radice, {"H1xANELoadBalancer"});
    r.aggiungi(bilanciatore, {"x"}, {{"IOUserClientCreator", "pid 70"}});
    EXPECT_EQ(clientANE(r), (std::map<std::int32_t, std::string>{{60, "solo"}, {70, ""}}));
    // A class whose match fails is passed over; the other is still read, and nothing stays open.
    r.guastaServizi("H11ANEIn");
    EXPECT_EQ(clientANE(r), (std::map<std::int32_t, std::string>{{70, ""}}));
    EXPECT_EQ(r.vociAperte(), 0);
}

TEST(Creatore, FormeAccettateERifiutate) {
    const std::pair<const char*, Creatore> casi[] = {
        {"pid 412, Safari", {412, "Safari"}},
        {"pid 77", {77, ""}},
        {"pid 77,", {77, ""}},
        {"pid -3, x", {-3, "x"}},
        {"pid +3,y", {3, "y"}},
        // Leading commas are passed over; commas inside the name stay.
        {"pid ,,12, a, b ,c", {12, "a, b ,c"}},
        {"pid 12,,name", {12, ",name"}},
        // Every Unicode blank is trimmed (tab, no-break, em and ideographic spaces), line breaks are not.
        {"pid 5,\t Mail \t", {5, "Mail"}},
        {"pid 5,\u00A0\u3000Mail\u2003\u202F", {5, "Mail"}},
        {"pid 5, Po\u00A0sta\u205F", {5, "Po\u00A0sta"}},
        {"pid 5, Mail\n", {5, "Mail\n"}},
        {"pid 5, \u2028Mail", {5, "\u2028Mail"}},
        {"pid 2147483647, max", {2147483647, "max"}},
        {"pid -2147483648, min", {-2147483647 - 1, "min"}}};
    for (const auto& [testo, atteso] : casi) EXPECT_EQ(analizzaCreatore(testo), atteso) << testo;
    for (const char* s :
         {"PID 412, Safari", "Pid 412, Safari", "pid  412, Safari", "pid abc, Safari", "pid 41a, Safari",
          "pid 412 , Safari", "pid ", "pid", "pid ,,,", "pid +, x", "pid -", "pid 2147483648, x",
          "pid -2147483649, x", "pid 99999999999999999999", " pid 1, x", ""}) {
        EXPECT_FALSE(analizzaCreatore(s)) << '"' << s << '"';
    }
}

}  // namespace
}  // namespace pulsaro
