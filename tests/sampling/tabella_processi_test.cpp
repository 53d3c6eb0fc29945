#include "sampling/tabella_processi.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>

namespace pulsaro {
namespace {

struct Caso {
    TempiProcessi lista;
    std::map<std::int32_t, double> cpuPrec;
    std::map<std::int32_t, std::uint64_t> gpuPrec;
    decltype(LetturaGPU::perPid) gpu;
    std::map<std::int32_t, std::string> client;

    RisultatoTabella costruisci(double dt, int core, double quotaANE = 0) const {
        return costruisciTabella({&lista, dt, core, &cpuPrec, &gpuPrec, &gpu, &client, quotaANE});
    }
};

TEST(TabellaProcessi, QuotaCPUDellIntereMacchina) {
    Caso c;
    auto voce = [](double cpu, std::optional<double> eta = {}) { return TempoProcesso{cpu, 1, "p", eta}; };
    c.lista = {{1, voce(10.75)},        // 0.75 s over 1.5 s on 10 processors: 5 %
               {2, voce(3.0)},          // first sight: 0 %
               {3, voce(2.0)},          // time went down: another process with this id
               {4, voce(500.0)},        // more than the whole machine: capped
               {5, voce(7.0)},          // idle
               {6, voce(0.9, 1.0)},     // born 1 s ago: 0.9 s over 1.5 s on 10
               {7, voce(0.9, 2.0)},     // older than the interval, missing from the last listing
               {8, voce(5.0, 0.5)},     // a baseline wins over the start time
               {9, voce(300.0, 0.1)}};  // never above the whole machine
    c.cpuPrec = {{1, 10.0}, {3, 50.0}, {4, 0.0}, {5, 7.0}, {8, 4.7}, {99, 1.0}};
    const auto r = c.costruisci(1.5, 10);
    const std::map<std::int32_t, double> quote = {{1, 5}, {2, 0}, {3, 0}, {4, 100}, {5, 0},
                                                  {6, 6}, {7, 0}, {8, 2}, {9, 100}};
    ASSERT_EQ(r.tabella.size(), quote.size());
    for (const auto& [id, quota] : quote) EXPECT_NEAR(r.tabella.at(id).cpu, quota, 1e-9) << id;
    // The baseline is replaced whole: ids that disappeared go, new ones come in.
    ASSERT_EQ(r.cpuPrec.size(), c.lista.size());
    for (const auto& [id, t] : c.lista) EXPECT_EQ(r.cpuPrec.at(id), t.cpu) << id;
}

TEST(TabellaProcessi, IntervalloMinimoEProcessoriNonValidi) {
    Caso c;
    c.lista = {{1, {1.01, 0, "a"}}};
    c.cpuPrec = {{1, 1.0}};
    // 0.01 s over an interval floored to 0.05 s is 20 %, not 100 %.
    for (double dt : {0.01, 0.0, -3.0, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_NEAR(c.costruisci(dt, 1).tabella.at(1).cpu, 20.0, 1e-9) << dt;
    // No processor count is read as one, never a division by zero.
    EXPECT_NEAR(c.costruisci(0.1, 0).tabella.at(1).cpu, 10.0, 1e-9);
}

TEST(TabellaProcessi, QuotaGPUEClientNeuralEngineCreanoRecord) {
    Caso c;
    c.lista = {{1, {1.0, 100, "finestra"}}};
    c.gpu = {{1, {1'000'000'000ull + 300'000'000ull, "gpu-uno"}},  // 0.3 s over 1.5 s: 20 %
             {2, {5'000'000ull, "solo-gpu"}},                      // first sight in the GPU reading
             {3, {10ull, "indietro"}},                             // counter went backwards
             {4, {10'000'000'000ull, "pieno"}}};
    c.gpuPrec = {{1, 1'000'000'000ull}, {3, 50ull}, {4, 0ull}, {77, 1ull}};
    c.client = {{1, "client-uno"}, {2, "client-due"}, {5, "solo-client"}};
    const auto r = c.costruisci(1.5, 4, 40.0 / 3);

    ASSERT_EQ(r.tabella.size(), 5u);
    // The first source that made the record names it; the listing's also gives the memory.
    auto uno = r.tabella.at(1);
    EXPECT_NEAR(uno.gpu, 20.0, 1e-9);
    uno.gpu = 20;
    EXPECT_EQ(uno, (UsoProcesso{1, "finestra", 0, 20, 40.0 / 3, true, 100}));
    EXPECT_EQ(r.tabella.at(2), (UsoProcesso{2, "solo-gpu", 0, 0, 40.0 / 3, true, 0}));
    EXPECT_EQ(r.tabella.at(3), (UsoProcesso{3, "indietro", 0, 0, 0, false, 0}));
    EXPECT_EQ(r.tabella.at(4).gpu, 100);
    EXPECT_EQ(r.tabella.at(5), (UsoProcesso{5, "solo-client", 0, 0, 40.0 / 3, true, 0}));
    const std::map<std::int32_t, std::uint64_t> attesa = {
        {1, 1'300'000'000ull}, {2, 5'000'000ull}, {3, 10ull}, {4, 10'000'000'000ull}};
    EXPECT_EQ(r.gpuPrec, attesa);
    // Ids seen only by the GPU or the Neural Engine have no CPU baseline.
    EXPECT_EQ(r.cpuPrec, (std::map<std::int32_t, double>{{1, 1.0}}));
}

TEST(TabellaProcessi, OrdinePerPunteggioPoiMemoria) {
    std::map<std::int32_t, UsoProcesso> t;
    t[1] = {1, "poca", 10, 5, 0, false, 100};
    t[2] = {2, "tanta", 5, 10, 0, false, 900};  // same punteggio, more memory: first
    t[3] = {3, "ane", 1, 0, 100, true, 0};      // the Neural Engine share does not count
    t[4] = {4, "gpu", 0, 40, 0, false, 0};
    t[5] = {5, "ferma", 0, 0, 0, false, 1 << 30};
    t[6] = {6, "ferma-piccola", 0, 0, 0, false, 1};
    std::vector<std::int32_t> ordine;
    for (const auto& u : primiProcessi(t, 6, nullptr)) ordine.push_back(u.id);
    EXPECT_EQ(ordine, (std::vector<std::int32_t>{4, 2, 1, 3, 5, 6}));
}

TEST(TabellaProcessi, SoloITenutiPrendonoIlNomeDellApplicazione) {
    std::map<std::int32_t, UsoProcesso> t;
    for (int i = 1; i <= 30; ++i) t[i] = UsoProcesso{i, "p" + std::to_string(i), double(i), 0, 0, false, 0};
    std::set<std::int32_t> chiesti;
    auto nomeApp = [&](std::int32_t id) -> std::optional<std::string> {
        EXPECT_TRUE(chiesti.insert(id).second) << id;
        if (id == 30) return "Applicazione";
        if (id == 29) return std::string();  // an application without a name keeps the listing's
        return std::nullopt;
    };
    const auto primi = primiProcessi(t, 5, nomeApp);
    EXPECT_EQ(chiesti, (std::set<std::int32_t>{26, 27, 28, 29, 30}));
    ASSERT_EQ(primi.size(), 5u);
    EXPECT_EQ(primi[0].nome, "Applicazione");
    EXPECT_EQ(primi[1].nome, "p29");
    EXPECT_EQ(t.at(30).nome, "p30") << "the table itself is untouched";

    // Fewer than asked, none asked, nothing in.
    t.erase(t.begin(), t.find(27));
    EXPECT_EQ(primiProcessi(t, 9, nullptr).size(), 4u);
    EXPECT_TRUE(primiProcessi(t, 0, nullptr).empty());
    const auto r = costruisciTabella(IngressoTabella{});
    EXPECT_TRUE(r.tabella.empty() && r.cpuPrec.empty() && r.gpuPrec.empty());
}

}  // namespace
}  // namespace pulsaro
