#include "platform/numeri.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <locale>
#include <sstream>
#include <string>

namespace pulsaro {

namespace {

bool cifra(char c) {
    return c >= '0' && c <= '9';
}

// The powers of ten a double holds exactly.
constexpr double potenze[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                              1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// A text that the fast path cannot round exactly, read by the classic locale's stream reader:
// `testo` holds only digits, at most one point and an exponent, so nothing else of its grammar
// comes into play. Libraries disagree on the flags of a result out of range, so the value decides.
std::optional<double> letturaLenta(const std::string& testo) {
    std::istringstream in(testo);
    in.imbue(std::locale::classic());
    double v = 0;
    in >> v;
    const double massimo = std::numeric_limits<double>::max();
    if (std::isinf(v) || (in.fail() && std::abs(v) >= massimo)) return std::nullopt;
    if (v == 0) return std::nullopt;  // only called for a value that is not zero
    if (in.fail() && std::abs(v) >= std::numeric_limits<double>::min()) return std::nullopt;
    return v;
}

}  // namespace

std::optional<DecimaleLetto> leggiDecimale(std::string_view t) {
    std::size_t i = 0;
    const bool negativo = i < t.size() && t[i] == '-';
    if (negativo) ++i;
    const std::size_t inizio = i;

    // Up to 19 significant digits are kept exactly; valore = m · 10^scala.
    std::uint64_t m = 0;
    int tenute = 0;
    std::int64_t scala = 0;
    bool persi = false;  // a non-zero digit beyond the 19 kept
    std::size_t cifreLette = 0;
    auto prendi = [&](char c, bool frazione) {
        const int d = c - '0';
        ++cifreLette;
        if (tenute == 0 && d == 0) {
            if (frazione) --scala;
        } else if (tenute < 19) {
            m = m * 10 + static_cast<std::uint64_t>(d);
            ++tenute;
            if (frazione) --scala;
        } else {
            if (!frazione) ++scala;
            persi = persi || d != 0;
        }
    };
    while (i < t.size() && cifra(t[i])) prendi(t[i++], false);
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && cifra(t[i])) prendi(t[i++], true);
    }
    if (cifreLette == 0) return std::nullopt;
    const std::size_t fineMantissa = i;

    std::int64_t esponente = 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        std::size_t j = i + 1;
        const bool esponenteNegativo = j < t.size() && t[j] == '-';
        if (j < t.size() && (t[j] == '-' || t[j] == '+')) ++j;
        if (j < t.size() && cifra(t[j])) {
            // Held below a billion: far beyond any double's range either way.
            for (; j < t.size() && cifra(t[j]); ++j)
                esponente = std::min<std::int64_t>(esponente * 10 + (t[j] - '0'), 1'000'000'000);
            if (esponenteNegativo) esponente = -esponente;
            i = j;
        }
    }

    double v = 0;
    if (m != 0) {
        const std::int64_t e10 = scala + esponente;
        const std::int64_t guida = e10 + tenute - 1;  // the power of ten of the first digit
        if (guida > 309) return std::nullopt;
        if (guida < -325) return std::nullopt;
        if (!persi && m <= (std::uint64_t{1} << 53) && e10 >= -22 && e10 <= 22) {
            // Both factors are exact doubles: one rounding, so the nearest value (Clinger).
            const double base = static_cast<double>(m);
            v = e10 >= 0 ? base * potenze[e10] : base / potenze[-e10];
        } else {
            std::string lento = "0";
            lento.append(t.substr(inizio, fineMantissa - inizio));
            lento += 'e';
            lento += std::to_string(esponente);
            const auto letto = letturaLenta(lento);
            if (!letto) return std::nullopt;
            v = *letto;
        }
    }
    return DecimaleLetto{negativo ? -v : v, i};
}

std::optional<std::int64_t> interoRigoroso(std::string_view testo) {
    std::int64_t n = 0;
    const char* fine = testo.data() + testo.size();
    auto [p, ec] = std::from_chars(testo.data(), fine, n);
    if (testo.empty() || ec != std::errc() || p != fine) return std::nullopt;
    return n;
}

std::optional<double> decimaleRigoroso(std::string_view testo) {
    const auto letto = leggiDecimale(testo);
    if (!letto || letto->lunghezza != testo.size()) return std::nullopt;
    return letto->valore;
}

}  // namespace pulsaro
