#include "platform/numeri.h"
#include "platform/testo_utf8.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <locale>
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
    } buoni[] = {{".5", 0.5, 2},
                 {"-0.25", -0.25, 5},
                 {"1E-3", 0.001, 4},
                 {"1e+", 1, 1},  // an "e" without digits is not read
                 {"1.5e3.2", 1500, 5},
                 {"0x10", 0, 1},
                 {"0e999999999999", 0, 14},
                 // Halfway between two doubles: to the even one, also when the tie is broken far away.
                 {"9007199254740993.00000000000000000000001", 9007199254740994.0, 40},
                 {"9007199254740993e1", 90071992547409936.0, 18},  // too long a mantissa for the fast path
                 {"1.7976931348623157e308", std::numeric_limits<double>::max(), 22},
                 {"2.5e-324", minimo, 8}};
    for (const auto& b : buoni) {
        const auto letto = leggiDecimale(b.testo).value_or(DecimaleLetto{});
        EXPECT_TRUE(stessiBit(letto.valore, b.valore) && letto.lunghezza == b.lunghezza) << b.testo;
    }
}

TEST(Numeri, TestiRifiutati) {
    // Not a number at the start, or a value a double cannot hold.
    for (const char* t :
         {"", "-.", "+1", " 1", "e5", "inf", "nan", "1e400", "2e-324", "1e-99999999999999999999"})
        EXPECT_FALSE(leggiDecimale(t)) << t;
    // The whole text or nothing.
    for (const char* t : {"1 ", "1,5", "1e", "1.5.2", "\xc2\xb9"}) EXPECT_FALSE(decimaleRigoroso(t)) << t;
    EXPECT_EQ(decimaleRigoroso("-1.5e2"), -150.0);
    EXPECT_EQ(interoRigoroso("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    for (const char* t : {"+1", "1.0", "9223372036854775808"}) EXPECT_FALSE(interoRigoroso(t)) << t;
}

// Qt sets the user's locale at start; a long decimal must not be read with an Italian comma.
TEST(Numeri, IlPuntoDecimaleNonDipendeDallaLingua) {
    const std::locale prima = std::locale::global(std::locale(std::locale::classic(), new Virgola));
    const auto lungo = decimaleRigoroso("0.1000000000000000000000000000001");
    std::locale::global(prima);
    EXPECT_EQ(lungo, 0.1);
}

TEST(TestoUtf8, SottoparteMassimaDiventaUnSostituto) {
    const std::string f = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> casi[] = {
        {"caf\xC3\xA9", "caf\xC3\xA9"},
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
        {"\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},  // U+10FFFF
        {"a\xFF"
         "b",
         "a" + f + "b"},
        {"\x80\x80", f + f},  // lone continuation bytes: one each
        {"\xE2\x82"
         "x",
         f + "x"},            // truncated three-byte sequence: one
        {"\xF0\x9F\x98", f},  // truncated at the end
        {"01234567\xC3", "01234567" + f},
        {"\xC0\xAF", f + f},                  // overlong lead is never valid
        {"\xE0\x80\xAF", f + f + f},          // overlong three-byte form
        {"\xED\xA0\x80", f + f + f},          // surrogate
        {"\xF4\x90\x80\x80", f + f + f + f},  // above U+10FFFF
        // Long ASCII runs around the broken byte.
        {"0123456789abcdef\xFF"
         "0123456789",
         "0123456789abcdef" + f + "0123456789"},
        // Blanks and line feeds are never swallowed by a broken sequence.
        {"\xE2 \n", f + " \n"}};
    for (const auto& [testo, atteso] : casi) {
        EXPECT_EQ(testoUtf8(testo), atteso) << testo;
        EXPECT_EQ(utf8Valido(testo), testo == atteso) << testo;
    }
}
