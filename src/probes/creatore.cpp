#include "probes/creatore.h"

#include <limits>

namespace pulsaro {

std::optional<std::int32_t> interoConSegno32(std::string_view testo) {
    bool negativo = false;
    if (!testo.empty() && (testo.front() == '+' || testo.front() == '-')) {
        negativo = testo.front() == '-';
        testo.remove_prefix(1);
    }
    if (testo.empty()) return std::nullopt;
    // Accumulate the magnitude in 64 bits; stop as soon as it leaves the 32-bit range.
    const long long limite = negativo ? -static_cast<long long>(std::numeric_limits<std::int32_t>::min())
                                      : std::numeric_limits<std::int32_t>::max();
    long long n = 0;
    for (char c : testo) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
        if (n > limite) return std::nullopt;
    }
    return static_cast<std::int32_t>(negativo ? -n : n);
}

namespace {

// Unicode blanks: the tab and the space separators (general category Zs), in UTF-8. Line
// breaks are not blanks.
constexpr std::string_view vuoti[] = {"\t",     " ",      "\u00A0", "\u1680", "\u2000", "\u2001",
                                      "\u2002", "\u2003", "\u2004", "\u2005", "\u2006", "\u2007",
                                      "\u2008", "\u2009", "\u200A", "\u202F", "\u205F", "\u3000"};

std::string_view senzaVuoti(std::string_view s) {
    for (bool tolto = true; tolto;) {
        tolto = false;
        for (auto v : vuoti) {
            if (s.starts_with(v)) {
                s.remove_prefix(v.size());
                tolto = true;
            }
            if (s.ends_with(v)) {
                s.remove_suffix(v.size());
                tolto = true;
            }
        }
    }
    return s;
}

}  // namespace

std::optional<Creatore> analizzaCreatore(std::string_view testo) {
    constexpr std::string_view prefisso = "pid ";
    if (testo.substr(0, prefisso.size()) != prefisso) return std::nullopt;
    std::string_view resto = testo.substr(prefisso.size());

    // Leading commas would end empty pieces: they are passed over.
    std::size_t inizio = resto.find_first_not_of(',');
    if (inizio == std::string_view::npos) return std::nullopt;
    resto.remove_prefix(inizio);
    std::size_t virgola = resto.find(',');
    std::string_view primo = resto.substr(0, virgola);
    std::string_view secondo =
        virgola == std::string_view::npos ? std::string_view{} : resto.substr(virgola + 1);

    auto pid = interoConSegno32(primo);
    if (!pid) return std::nullopt;
    return Creatore{*pid, std::string(senzaVuoti(secondo))};
}

}  // namespace pulsaro
