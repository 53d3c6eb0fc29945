#include "sampling/tick.h"

#include <map>

namespace pulsaro {

LetturaTick tickDaContatori(const std::vector<ContatoriCore>& contatori) {
    LetturaTick t;
    t.perCore.reserve(contatori.size());
    for (const auto& c : contatori) {
        const std::uint64_t occupati = c[0] + c[1] + c[3];
        const std::uint64_t totali = occupati + c[2];
        t.perCore.push_back(Tick{occupati, totali});
        t.occupati += occupati;
        t.totali += totali;
    }
    return t;
}

LetturaTick tickCPU(Host& host) {
    auto contatori = host.contatoriCPU();
    if (!contatori) return {};
    return tickDaContatori(*contatori);
}

namespace {
// A core has data for an interval when both counters moved forward from a real reading;
// an offline core reads as zeros, and coming back it would show its ticks since boot.
bool intervalloValido(const Tick& a, const Tick& b) {
    return a.totali != 0 && b.totali > a.totali && b.occupati >= a.occupati;
}
}  // namespace

double percentualeCPU(const LetturaTick& a, const LetturaTick& b) {
    // Summed per core, so that one core's jump does not spoil the whole machine's figure;
    // a core present in only one reading has no data.
    std::uint64_t occupati = 0, totali = 0;
    for (std::size_t i = 0; i < std::min(a.perCore.size(), b.perCore.size()); ++i) {
        if (!intervalloValido(a.perCore[i], b.perCore[i])) continue;
        occupati += b.perCore[i].occupati - a.perCore[i].occupati;
        totali += b.perCore[i].totali - a.perCore[i].totali;
    }
    return totali == 0 ? 0 : static_cast<double>(occupati) / static_cast<double>(totali) * 100.0;
}

CoreImpegnati contaCore(const std::vector<Tick>& prima, const std::vector<Tick>& dopo,
                        const std::vector<std::string>& tipi) {
    CoreImpegnati c;
    const std::size_t n = std::min(prima.size(), dopo.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (!intervalloValido(prima[i], dopo[i])) continue;
        const double dT = static_cast<double>(dopo[i].totali - prima[i].totali);
        const double dB = static_cast<double>(dopo[i].occupati - prima[i].occupati);
        if (!(dB / dT > CoreImpegnati::soglia)) continue;
        if (i < tipi.size() && tipi[i] == "E")
            ++c.e;
        else
            ++c.p;
    }
    return c;
}

static std::string letteraDa(unsigned char byte) {
    // Bytes of 128 or more are the Unicode characters of the same code, written as UTF-8.
    if (byte < 0x80) return std::string(1, static_cast<char>(byte));
    std::string s;
    s += static_cast<char>(0xC0 | (byte >> 6));
    s += static_cast<char>(0x80 | (byte & 0x3F));
    return s;
}

std::vector<std::string> tabellaCore(const std::vector<ClasseCore>& classi) {
    std::map<long long, std::string> lettere;
    for (const auto& c : classi) {
        if (c.classe.empty() || c.numero < 0) continue;
        lettere[c.numero] = letteraDa(static_cast<unsigned char>(c.classe[0]));
    }
    if (lettere.empty()) return {};
    // A corrupt number must not make us allocate a giant table.
    const long long massimo = lettere.rbegin()->first;
    if (massimo > 65535) return {};
    std::vector<std::string> tipi(static_cast<std::size_t>(massimo + 1), "P");
    for (const auto& [n, l] : lettere) tipi[static_cast<std::size_t>(n)] = l;
    return tipi;
}

int contaP(const std::vector<std::string>& tipi, int processori) {
    if (tipi.empty()) return processori;
    int n = 0;
    for (const auto& t : tipi)
        if (t != "E") ++n;
    return n;
}

int contaE(const std::vector<std::string>& tipi) {
    int n = 0;
    for (const auto& t : tipi)
        if (t == "E") ++n;
    return n;
}

}  // namespace pulsaro
