#include "platform/numeri.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <locale>
#include <random>
#include <string>

using namespace pulsaro;

namespace {

bool stessiBit(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

struct Virgola : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

}  // namespace

TEST(Numeri, DecimaliLettiComeScritti) {
    const double minimo = std::numeric_limits<double>::denorm_min();
    const struct {
        const char* testo;
        double valore;
        std::size_t lunghezza;
    } buoni[] = {{"2", 2, 1},
                 {".5", 0.5, 2},
                 {"5.", 5, 2},
                 {"-0.25", -0.25, 5},
                 {"1e+3", 1000, 4},
                 {"1E-3", 0.001, 4},
                 {"1e", 1, 1},  // an "e" without digits is not read
                 {"1e+", 1, 1},
                 {"1.5e3.2", 1500, 5},
                 {"0x10", 0, 1},
                 {"0e999999999999", 0, 14},
                 // Halfway between two doubles: to the even one, also when the tie is broken far away.
                 {"9007199254740993", 9007199254740992.0, 16},
                 {"9007199254740993.00000000000000000000001", 9007199254740994.0, 40},
                 {"0.1", 0.1, 3},
                 {"123456789012345678901234567890", 1.2345678901234568e29, 30},
                 {"1.7976931348623157e308", std::numeric_limits<double>::max(), 22},
                 {"2.5e-324", minimo, 8},
                 {"2.2250738585072011e-308", 2.2250738585072009e-308, 23}};
    for (const auto& b : buoni) {
        const auto letto = leggiDecimale(b.testo);
        ASSERT_TRUE(letto) << b.testo;
        EXPECT_TRUE(stessiBit(letto->valore, b.valore)) << b.testo << " → " << letto->valore;
        EXPECT_EQ(letto->lunghezza, b.lunghezza) << b.testo;
    }
    EXPECT_TRUE(std::signbit(leggiDecimale("-0")->valore));
}

TEST(Numeri, TestiRifiutati) {
    // Not a number at the start, or a value a double cannot hold.
    for (const char* t : {"", "-", ".", "-.", "+1", " 1", "e5", "inf", "-inf", "nan", "NAN", "infinity",
                          "1e400", "-1.7976931348623159e308", "2e-324", "1e-99999999999999999999"})
        EXPECT_FALSE(leggiDecimale(t)) << t;
    // The whole text or nothing.
    for (const char* t : {"1 ", "1,5", "0x10", "1e", "1.5.2", "--1", "1e3e3", "\xc2\xb9"})
        EXPECT_FALSE(decimaleRigoroso(t)) << t;
    EXPECT_EQ(decimaleRigoroso("-1.5e2"), -150.0);
    EXPECT_EQ(interoRigoroso("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    for (const char* t : {"", "+1", "1.0", "9223372036854775808", "0x1"})
        EXPECT_FALSE(interoRigoroso(t)) << t;
}

TEST(Numeri, OgniDoubleStampatoTornaUguale) {
    // 17 digits identify a double; 25 reach the path for long texts; the exponent covers both.
    std::mt19937_64 caso(18);
    int provati = 0;
    while (provati < 20000) {
        const std::uint64_t bit = caso();
        double x;
        std::memcpy(&x, &bit, sizeof x);
        if (!std::isfinite(x)) continue;
        ++provati;
        for (int cifre : {17, 25}) {
            char testo[64];
            std::snprintf(testo, sizeof testo, "%.*e", cifre - 1, x);
            const auto letto = leggiDecimale(testo);
            ASSERT_TRUE(letto) << testo;
            ASSERT_TRUE(stessiBit(letto->valore, x)) << testo;
        }
    }
}

TEST(Numeri, IlPuntoDecimaleNonDipendeDallaLingua) {
    const std::locale prima = std::locale::global(std::locale(std::locale::classic(), new Virgola));
    const auto corto = decimaleRigoroso("0.5");
    const auto lungo = decimaleRigoroso("0.1000000000000000000000000000001");
    std::locale::global(prima);
    EXPECT_EQ(corto, 0.5);
    EXPECT_EQ(lungo, 0.1);
}
