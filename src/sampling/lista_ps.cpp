#include "sampling/lista_ps.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "platform/numeri.h"
#include "platform/testo_utf8.h"

namespace pulsaro {

namespace {

bool cifre(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// Optional sign then digits only, in range.
template <typename Intero>
std::optional<Intero> intero(std::string_view s) {
    bool negativo = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negativo = s.front() == '-';
        s.remove_prefix(1);
    }
    if (!cifre(s)) return std::nullopt;
    // from_chars takes the minus itself, so that the most negative value still fits.
    std::string_view conSegno = s;
    std::string buffer;
    if (negativo) {
        buffer.reserve(s.size() + 1);
        buffer.push_back('-');
        buffer.append(s);
        conSegno = buffer;
    }
    Intero v{};
    auto [fine, errore] = std::from_chars(conSegno.data(), conSegno.data() + conSegno.size(), v);
    if (errore != std::errc{} || fine != conSegno.data() + conSegno.size()) return std::nullopt;
    return v;
}

// Up to five pieces: runs of blanks separate, the fifth piece is the rest after one blank.
int pezzi(std::string_view riga, std::string_view (&p)[5]) {
    int n = 0;
    std::size_t i = 0;
    while (n < 4) {
        while (i < riga.size() && riga[i] == ' ') ++i;
        if (i >= riga.size()) return n;
        const std::size_t inizio = i;
        while (i < riga.size() && riga[i] != ' ') ++i;
        p[n++] = riga.substr(inizio, i - inizio);
        if (i >= riga.size()) return n;
        ++i;  // the blank that ends the piece
    }
    if (i >= riga.size()) return n;
    p[n++] = riga.substr(i);
    return n;
}

}  // namespace

std::optional<double> numeroDecimale(std::string_view s) {
    bool negativo = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negativo = s.front() == '-';
        s.remove_prefix(1);
    }
    const auto punto = s.find('.');
    const std::string_view interi = s.substr(0, punto);
    const std::string_view frazione =
        punto == std::string_view::npos ? std::string_view{} : s.substr(punto + 1);
    if (interi.empty() && frazione.empty()) return std::nullopt;
    if ((!interi.empty() && !cifre(interi)) || (!frazione.empty() && !cifre(frazione))) return std::nullopt;
    const auto v = decimaleRigoroso(s);
    if (!v) return std::nullopt;
    return negativo ? -*v : *v;
}

double tempoCPU(std::string_view testo) {
    double giorni = 0;
    std::string_view resto = testo;
    if (const auto trattino = testo.find('-'); trattino != std::string_view::npos) {
        giorni = numeroDecimale(testo.substr(0, trattino)).value_or(0) * 86400.0;
        resto = testo.substr(trattino + 1);
    }
    double valore = 0;
    while (!resto.empty()) {
        const auto due = resto.find(':');
        const std::string_view parte = resto.substr(0, due);
        resto = due == std::string_view::npos ? std::string_view{} : resto.substr(due + 1);
        if (parte.empty()) continue;
        valore = valore * 60.0 + numeroDecimale(parte).value_or(0);
    }
    // Hundreds of parts or a huge day count overflow: such a time is unreadable, not infinite.
    const double secondi = giorni + valore;
    return std::isfinite(secondi) ? secondi : 0;
}

std::optional<double> tempoTrascorso(std::string_view testo) {
    if (testo.empty()) return std::nullopt;
    const auto trattino = testo.find('-');
    if (trattino != std::string_view::npos && !cifre(testo.substr(0, trattino))) return std::nullopt;
    std::string_view resto = trattino == std::string_view::npos ? testo : testo.substr(trattino + 1);
    while (true) {
        const auto due = resto.find(':');
        const std::string_view parte = resto.substr(0, due);
        if (parte.empty() || parte.front() == '+' || parte.front() == '-' || !numeroDecimale(parte))
            return std::nullopt;
        if (due == std::string_view::npos) break;
        resto = resto.substr(due + 1);
    }
    return tempoCPU(testo);
}

std::string_view ultimoComponente(std::string_view percorso) {
    while (percorso.size() > 1 && percorso.back() == '/') percorso.remove_suffix(1);
    if (percorso == "/") return percorso;
    const auto barra = percorso.rfind('/');
    return barra == std::string_view::npos ? percorso : percorso.substr(barra + 1);
}

TempiProcessi leggiListaPs(std::string_view testo) {
    // Only a listing with broken bytes pays for a copy.
    std::string corretto;
    if (!utf8Valido(testo)) {
        corretto = testoUtf8(testo);
        testo = corretto;
    }
    TempiProcessi lista;
    std::size_t inizio = 0;
    while (inizio < testo.size()) {
        auto fine = testo.find('\n', inizio);
        if (fine == std::string_view::npos) fine = testo.size();
        const std::string_view riga = testo.substr(inizio, fine - inizio);
        inizio = fine + 1;
        if (riga.empty()) continue;

        std::string_view p[5];
        if (pezzi(riga, p) != 5) continue;
        const auto id = intero<std::int32_t>(p[0]);
        if (!id) continue;

        std::uint64_t byte = 0;
        if (const auto kib = intero<std::uint64_t>(p[3]); kib) {
            constexpr auto massimo = std::numeric_limits<std::uint64_t>::max();
            byte = *kib > massimo / 1024 ? massimo : *kib * 1024;
        }
        // The tool lists ids in ascending order, so a new id usually goes at the end.
        auto& voce = lista.empty() || *id > lista.rbegin()->first
                         ? lista.emplace_hint(lista.end(), *id, TempoProcesso{})->second
                         : lista[*id];
        voce.cpu = tempoCPU(p[1]);
        voce.memoria = byte;
        voce.eta = tempoTrascorso(p[2]);
        voce.nome.assign(ultimoComponente(p[4]));
    }
    return lista;
}

}  // namespace pulsaro
