#include "sampling/storia.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace pulsaro {

// About 440 kB for a day: 4096 samples of 40 bytes and 1440 minutes of under 200.
static_assert(Storia::byteMassimi() < 512 * 1024, "a day of history must stay well under 1 MB");

double Storia::secondi(Coda::Istante t) {
    return std::chrono::duration<double>(t.time_since_epoch()).count();
}

std::int64_t Storia::indiceMinuto(Coda::Istante t) {
    return static_cast<std::int64_t>(std::floor(secondi(t) / 60.0));
}

void Storia::aggiungi(Coda::Istante t, const Misure& m) {
    const double s = secondi(t);
    if (!punti_.empty() && s < punti_.back().secondi) return;

    Punto p{s, {}};
    for (std::size_t i = 0; i < numeroFigure; ++i)
        p.valori[i] =
            static_cast<float>(m[static_cast<Figura>(i)].value_or(std::numeric_limits<double>::quiet_NaN()));
    punti_.push_back(p);
    while (punti_[0].secondi < s - secondiDettaglio) punti_.pop_front();

    const std::int64_t indice = indiceMinuto(t);
    if (minuti_.empty() || minuti_.back().indice != indice) {
        Minuto nuovo;
        nuovo.indice = indice;
        minuti_.push_back(nuovo);
        somme_.fill(0);
        while (minuti_[0].indice <= indice - static_cast<std::int64_t>(minutiGiorno)) minuti_.pop_front();
    }
    Minuto& corrente = minuti_.back();
    for (std::size_t i = 0; i < numeroFigure; ++i) {
        const auto v = m[static_cast<Figura>(i)];
        // A NaN reading is no reading: it would poison the minute's mean and bounds.
        if (!v || std::isnan(*v)) continue;
        Aggregato& a = corrente.figure[i];
        const float f = static_cast<float>(*v);
        a.minimo = a.campioni ? std::min(a.minimo, f) : f;
        a.massimo = a.campioni ? std::max(a.massimo, f) : f;
        somme_[i] += *v;
        ++a.campioni;
        a.media = static_cast<float>(somme_[i] / a.campioni);
    }
}

void Storia::pesante(Coda::Istante t, std::int32_t pid, std::string_view nome, double cpu) {
    if (minuti_.empty() || minuti_.back().indice != indiceMinuto(t)) return;
    Pesante p;
    p.pid = pid;
    p.cpu = static_cast<float>(cpu);
    std::size_t n = std::min(nome.size(), nomeMassimo);
    // Never half a character: back off over continuation bytes.
    if (n < nome.size())
        while (n > 0 && (static_cast<unsigned char>(nome[n]) & 0xC0) == 0x80) --n;
    std::copy_n(nome.begin(), n, p.nome.begin());
    minuti_.back().pesante = p;
}

std::optional<PesantiMinuto::Primo> PesantiMinuto::aggiungi(
    Coda::Istante t, const std::map<std::int32_t, UsoProcesso>& tabella) {
    const std::int64_t minuto = Storia::indiceMinuto(t);
    if (minuto != minuto_) {
        minuto_ = minuto;
        campioni_ = 0;
        somme_.clear();
    }
    ++campioni_;
    for (const auto& [pid, p] : tabella) {
        auto& [somma, nome] = somme_[pid];
        somma += p.cpu;
        if (nome.empty()) nome = p.nome;
    }
    std::optional<Primo> primo;
    for (const auto& [pid, sn] : somme_)
        if (!primo || sn.first / campioni_ > primo->cpu) primo = Primo{pid, sn.second, sn.first / campioni_};
    return primo;
}

}  // namespace pulsaro
