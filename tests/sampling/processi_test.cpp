// The ps listing read, and the process table built from two listings.
#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <sstream>
#include <string>

#include "sampling/lista_ps.h"
#include "sampling/tabella_processi.h"

namespace pulsaro {
namespace {

// The listing as "id cpu bytes name" lines, so a whole reading compares as one text.
std::string descrivi(const TempiProcessi& l) {
    std::ostringstream s;
    for (const auto& [id, p] : l) s << id << ' ' << p.cpu << ' ' << p.memoria << ' ' << p.nome << '\n';
    return s.str();
}

TEST(ListaPs, UnaRigaPerVolta) {
    // An empty expectation means the line is skipped.
    const std::pair<std::string, std::string> casi[] = {
        {"   123   0:01.50 0:05  2048 /Applications/Some App.app/Contents/MacOS/Some App\n",
         "123 1.5 2097152 Some App\n"},
        // Blanks after the one ending the third piece belong to the command.
        {"1 0:00 0:05 4  two  blanks\n", "1 0 4096  two  blanks\n"},
        // The last path component; a trailing slash does not empty it.
        {"2 0:00 0:05 4 kworker/0:1H\n", "2 0 4096 0:1H\n"},
        {"4 0:00 0:05 4 /opt/tool/\n", "4 0 4096 tool\n"},
        {"13 0:02.00 0:05 8 senza-a-capo", "13 2 8192 senza-a-capo\n"},
        // Signs and the edges of 32 bits.
        {"+7 0:00 0:05 1 piu\n", "7 0 1024 piu\n"},
        {"-3 0:00 0:05 1 meno\n", "-3 0 1024 meno\n"},
        {"2147483647 0:00 0:05 1 max\n", "2147483647 0 1024 max\n"},
        {"-2147483648 0:00 0:05 1 min\n", "-2147483648 0 1024 min\n"},
        {"2147483648 0:00 0:05 1 troppo\n", ""},
        {"10 0:01.00 0:05 100\n", ""},   // four pieces
        {"11 0:01.00 0:05 100 \n", ""},  // nothing after the fourth blank
        {"12x 0:00 0:05 1 x\n", ""},     // trailing garbage in the id
        {"abc 0:01.00 0:05 100 nome\n", ""},
        {"- 0:00 0:05 1 solo-segno\n", ""},
        {"\n\n   \n", ""},
        // Unreadable CPU time or memory count as 0; the line is kept.
        {"9 bad 0:05 1 x\n", "9 0 1024 x\n"},
        {"2 0:00 0:05 -5 negativa\n", "2 0 0 negativa\n"},
        {"3 0:00 0:05 12k suffisso\n", "3 0 0 suffisso\n"},
        {"4 0:00 0:05 +2 piu\n", "4 0 2048 piu\n"},
        // A KiB figure that does not fit in bytes saturates instead of wrapping round.
        {"5 0:00 0:05 18446744073709551615 enorme\n", "5 0 18446744073709551615 enorme\n"},
        {"6 0:00 0:05 18446744073709551616 oltre\n", "6 0 0 oltre\n"},
        // A broken byte in the name becomes U+FFFD; the line is still read.
        {"42 0:00 0:05 1 /usr/bin/ab\xFF"
         "c\n",
         "42 0 1024 ab\xEF\xBF\xBD"
         "c\n"},
        {"44 0:00 0:05 1 tronco\xE2\x82", "44 0 1024 tronco\xEF\xBF\xBD\n"},
        // A later line for the same id replaces it; a broken line does not stop the reading.
        {"5 0:01.00 0:05 1 prima\nrotta\n6 0:00 0:05 1 altro\n5 0:09.00 0:05 3 dopo\n",
         "5 9 3072 dopo\n6 0 1024 altro\n"}};
    for (const auto& [riga, atteso] : casi) EXPECT_EQ(descrivi(leggiListaPs(riga)), atteso) << riga;
}

TEST(ListaPs, TempoTrascorso) {
    const auto l = leggiListaPs(
        "1 0:01.00 01:05 1 uno\n2 0:00 2-01:00:00 1 due\n3 0:00 x:05 1 tre\n4 0:00 - 1 quattro\n");
    ASSERT_EQ(l.size(), 4u);
    EXPECT_EQ(l.at(1).eta, 65.0);
    EXPECT_EQ(l.at(2).eta, 176400.0);
    // Unreadable is unknown, never "just started": that would count an old process's whole time.
    EXPECT_FALSE(l.at(3).eta);
    EXPECT_FALSE(l.at(4).eta);
    for (const char* rotto : {"", ":", "1::2", "-1:00", "1-", "+1:00", "1:2x", "1.5.2:00"})
        EXPECT_FALSE(tempoTrascorso(rotto)) << rotto;
    EXPECT_EQ(tempoTrascorso("00:00"), 0.0);
}

TEST(ListaPs, TempoCPU) {
    std::string tanti;
    for (int i = 0; i < 200; ++i) tanti += "999:";
    const std::pair<std::string, double> casi[] = {
        {"0:01.50", 1.5},
        {"1:02:03", 3723},
        {"2-01:00:00", 176400},
        // Empty parts are dropped, unreadable parts count as 0 but still shift the others.
        {"1::30", 90},
        {"1:x:30", 3630},
        // Unreadable days count as 0; only the first hyphen separates them.
        {"z-00:01:00", 60},
        {"1-2-3", 86400},
        {"nan", 0},
        {"inf:00", 0},
        {"1e3", 0},
        // Too large to be a time: unreadable, never infinite.
        {std::string(400, '9') + "-00:00", 0},
        {"-" + std::string(400, '9') + "-1", 0},
        {tanti, 0}};
    for (const auto& [testo, secondi] : casi) EXPECT_DOUBLE_EQ(tempoCPU(testo), secondi) << testo;
}

TEST(ListaPs, NumeroDecimale) {
    const std::pair<const char*, double> buoni[] = {
        {"12", 12}, {"+1.25", 1.25}, {"-2", -2}, {".5", 0.5}, {"3.", 3}};
    for (const auto& [testo, valore] : buoni) EXPECT_EQ(numeroDecimale(testo), valore) << testo;
    for (const char* testo : {"", ".", "+", "1.2.3", " 1", "0x10"})
        EXPECT_FALSE(numeroDecimale(testo)) << testo;
}

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

TEST(TabellaProcessi, QuotaCPUDellIntereMacchinaSuUnIntervalloMinimo) {
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

    // 0.3 s over an interval floored to 0.05 s is 60 %, not 100 %; no processor count reads as one.
    for (double dt : {0.01, -3.0, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_NEAR(c.costruisci(dt, 10).tabella.at(8).cpu, 60, 1e-9) << dt;
    EXPECT_NEAR(c.costruisci(1.5, 0).tabella.at(1).cpu, 50, 1e-9);
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
