#include "sampling/lista_ps.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace pulsaro {
namespace {

TEST(ListaPs, RigaConSpaziNelComando) {
    const auto l =
        leggiListaPs("   123   0:01.50  2048 /Applications/Some App.app/Contents/MacOS/Some App\n");
    ASSERT_EQ(l.size(), 1u);
    const auto& p = l.at(123);
    EXPECT_DOUBLE_EQ(p.cpu, 1.5);
    EXPECT_EQ(p.memoria, 2097152u);
    EXPECT_EQ(p.nome, "Some App");

    // Blanks after the one ending the third piece belong to the command.
    EXPECT_EQ(leggiListaPs("1 0:00 4  two  blanks\n").at(1).nome, " two  blanks");
    // A name without a slash is kept whole; a trailing slash does not empty it.
    EXPECT_EQ(leggiListaPs("2 0:00 4 kworker/0:1H\n").at(2).nome, "0:1H");
    EXPECT_EQ(leggiListaPs("3 0:00 4 launchd\n").at(3).nome, "launchd");
    EXPECT_EQ(leggiListaPs("4 0:00 4 /opt/tool/\n").at(4).nome, "tool");
}

TEST(ListaPs, RigheScartate) {
    const std::string testo =
        "10 0:01.00 100\n"            // three pieces
        "abc 0:01.00 100 nome\n"      // id not a number
        "11 0:01.00 100 \n"           // nothing after the third blank
        "12x 0:00 1 x\n"              // trailing garbage in the id
        "2147483648 0:00 1 troppo\n"  // beyond 32 bits
        "- 0:00 1 solo-segno\n"
        "\n\n"
        "   \n"
        "13 0:02.00 8 buona";  // last line without a line feed
    const auto l = leggiListaPs(testo);
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l.at(13).nome, "buona");
    EXPECT_EQ(l.at(13).memoria, 8192u);

    EXPECT_TRUE(leggiListaPs("").empty());
}

TEST(ListaPs, IdConSegnoEIntervallo) {
    const auto l =
        leggiListaPs("+7 0:00 1 piu\n-3 0:00 1 meno\n2147483647 0:00 1 max\n-2147483648 0:00 1 min\n");
    EXPECT_EQ(l.size(), 4u);
    EXPECT_EQ(l.at(7).nome, "piu");
    EXPECT_EQ(l.at(-3).nome, "meno");
    EXPECT_EQ(l.at(std::numeric_limits<std::int32_t>::max()).nome, "max");
    EXPECT_EQ(l.at(std::numeric_limits<std::int32_t>::min()).nome, "min");
}

TEST(ListaPs, RigaSuccessivaSostituisce) {
    const auto l = leggiListaPs("5 0:01.00 1 prima\n6 0:00 1 altro\n5 0:09.00 3 dopo\n");
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l.at(5).nome, "dopo");
    EXPECT_DOUBLE_EQ(l.at(5).cpu, 9.0);
    EXPECT_EQ(l.at(5).memoria, 3072u);
}

TEST(ListaPs, TempoCPU) {
    const std::pair<std::string, double> casi[] = {
        {"0:01.50", 1.5},
        {"12:34.56", 754.56},
        {"1:02:03", 3723},
        {"2-01:00:00", 176400},
        {"00:00:00", 0},
        // Empty parts are dropped, unreadable parts count as 0 but still shift the others.
        {"1::30", 90},
        {"x:30", 30},
        {"1:x:30", 3630},
        // Unreadable days count as 0; only the first hyphen separates them.
        {"z-00:01:00", 60},
        {"1-2-3", 86400},
        {"", 0},
        {"nan", 0},
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

    EXPECT_DOUBLE_EQ(leggiListaPs("9 bad 1 x\n").at(9).cpu, 0);
}

TEST(ListaPs, NumeroDecimale) {
    const std::pair<const char*, double> buoni[] = {
        {"12", 12}, {"+1.25", 1.25}, {"-2", -2}, {".5", 0.5}, {"3.", 3}};
    for (const auto& [testo, valore] : buoni) EXPECT_EQ(numeroDecimale(testo), valore) << testo;
    for (const char* testo : {"", ".", "+", "1.2.3", " 1", "0x10"})
        EXPECT_FALSE(numeroDecimale(testo)) << testo;
}

TEST(ListaPs, Memoria) {
    const auto l = leggiListaPs(
        "1 0:00 - trattino\n"
        "2 0:00 -5 negativa\n"
        "3 0:00 12k suffisso\n"
        "4 0:00 +2 piu\n"
        "5 0:00 18446744073709551615 enorme\n"
        "6 0:00 18446744073709551616 oltre\n");
    ASSERT_EQ(l.size(), 6u);
    EXPECT_EQ(l.at(1).memoria, 0u);
    EXPECT_EQ(l.at(2).memoria, 0u);
    EXPECT_EQ(l.at(3).memoria, 0u);
    EXPECT_EQ(l.at(4).memoria, 2048u);
    // A KiB figure that does not fit in bytes saturates instead of wrapping round.
    EXPECT_EQ(l.at(5).memoria, std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(l.at(6).memoria, 0u);
}

TEST(ListaPs, ByteNonValidi) {
    // A broken byte in the name becomes U+FFFD; the line is still read.
    const auto l = leggiListaPs(
        "42 0:00 1 /usr/bin/ab\xFF"
        "c\n43 0:00 1 caf\xC3\xA9\n44 0:00 1 tronco\xE2\x82");
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l.at(42).nome,
              "ab\xEF\xBF\xBD"
              "c");
    EXPECT_EQ(l.at(43).nome, "caf\xC3\xA9");
    EXPECT_EQ(l.at(44).nome, "tronco\xEF\xBF\xBD");
}

}  // namespace
}  // namespace pulsaro
