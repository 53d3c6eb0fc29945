#include "sampling/lista_ps.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

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
        {"2147483648 0:00 0:05 1 troppo\n", ""},
        {"10 0:01.00 0:05 100\n", ""},   // four pieces
        {"11 0:01.00 0:05 100 \n", ""},  // nothing after the fourth blank
        {"12x 0:00 0:05 1 x\n", ""},     // trailing garbage in the id
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
        {"", 0},
        {"inf:00", 0},
        {"1e3", 0},
        // Too large to be a time: unreadable, never infinite.
        {std::string(400, '9') + "-00:00", 0},
        {"-" + std::string(400, '9') + "-1", 0},
        {[] {
             std::string t;
             for (int i = 0; i < 200; ++i) t += "999:";
             return t;
         }(),
         0}};
    for (const auto& [testo, secondi] : casi) EXPECT_DOUBLE_EQ(tempoCPU(testo), secondi) << testo;
}

TEST(ListaPs, NumeroDecimale) {
    const std::pair<const char*, double> buoni[] = {
        {"12", 12}, {"+1.25", 1.25}, {"-2", -2}, {".5", 0.5}, {"3.", 3}};
    for (const auto& [testo, valore] : buoni) EXPECT_EQ(numeroDecimale(testo), valore) << testo;
    for (const char* testo : {"", ".", "+", "1.2.3", " 1", "0x10"})
        EXPECT_FALSE(numeroDecimale(testo)) << testo;
}

}  // namespace
}  // namespace pulsaro
