// A day of the machine's figures, in memory only: every sample of the last ten minutes, and per
// minute the least, mean and greatest value of each figure and the process that used the most CPU.
// Fed with the samples the monitor takes anyway; none is taken for it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sampling/catalogo.h"
#include "sampling/coda.h"
#include "sampling/uso.h"

namespace pulsaro {

// A fixed number of slots written in a circle: the oldest goes when a new one comes.
template <class T, std::size_t N>
class Anello {
public:
    static constexpr std::size_t capacita = N;
    std::size_t size() const { return n_; }
    bool empty() const { return n_ == 0; }
    // From the oldest (0) to the newest.
    const T& operator[](std::size_t i) const { return slot_[(inizio_ + i) % N]; }
    T& operator[](std::size_t i) { return slot_[(inizio_ + i) % N]; }
    const T& back() const { return (*this)[n_ - 1]; }
    T& back() { return (*this)[n_ - 1]; }
    void push_back(const T& v) {
        // The whole ring is taken at the first value: its size is then fixed, never grown.
        if (slot_.empty()) slot_.resize(N);
        if (n_ < N) {
            slot_[(inizio_ + n_++) % N] = v;
        } else {
            slot_[inizio_] = v;
            inizio_ = (inizio_ + 1) % N;
        }
    }
    void pop_front() {
        if (n_ == 0) return;
        inizio_ = (inizio_ + 1) % N;
        --n_;
    }
    std::size_t byte() const { return slot_.capacity() * sizeof(T); }

private:
    std::vector<T> slot_;
    std::size_t inizio_ = 0, n_ = 0;
};

class Storia {
public:
    static constexpr double secondiDettaglio = 600;
    static constexpr std::size_t minutiGiorno = 24 * 60;
    // Ten minutes of samples every 0.15 s; a faster interval keeps a shorter span.
    static constexpr std::size_t puntiMassimi = 4096;
    // A process name is kept up to this many bytes, cut on a character boundary.
    static constexpr std::size_t nomeMassimo = 31;

    // A figure not read in that sample (a power during a light sample) is NaN.
    struct Punto {
        double secondi = 0;  // on the queue's clock, since its epoch
        std::array<float, numeroFigure> valori{};
    };
    struct Aggregato {
        float minimo = 0, media = 0, massimo = 0;
        std::uint16_t campioni = 0;  // 0: the figure was never read in this minute
    };
    struct Pesante {
        std::int32_t pid = 0;
        float cpu = 0;  // mean share over the minute's full samples
        std::array<char, nomeMassimo + 1> nome{};
        std::string_view testo() const { return nome.data(); }
    };
    struct Minuto {
        std::int64_t indice = 0;  // minutes on the queue's clock
        std::array<Aggregato, numeroFigure> figure{};
        std::optional<Pesante> pesante;  // only for minutes in which full samples ran
        const Aggregato& operator[](Figura f) const { return figure[static_cast<std::size_t>(f)]; }
    };

    // One sample's figures at `t`; a sample older than the last one is dropped.
    void aggiungi(Coda::Istante t, const Misure& m);
    // The minute's heaviest process so far, as the queue works it out from the full samples.
    void pesante(Coda::Istante t, std::int32_t pid, std::string_view nome, double cpu);

    const Anello<Punto, puntiMassimi>& punti() const { return punti_; }
    // Closed minutes and the current one at the end, oldest first, within a day of the last.
    std::size_t numeroMinuti() const { return minuti_.size(); }
    const Minuto& minuto(std::size_t i) const { return minuti_[i]; }
    // Which minute of the queue's clock an instant falls in.
    static std::int64_t indiceMinuto(Coda::Istante t);
    static double secondi(Coda::Istante t);

    // What the history holds, counted over its slots; never more than `byteMassimi()`, the
    // bound checked where it is made (storia.cpp), well under a megabyte.
    std::size_t byte() const { return sizeof(*this) + punti_.byte() + minuti_.byte(); }
    static constexpr std::size_t byteMassimi();

private:
    Anello<Punto, puntiMassimi> punti_;
    Anello<Minuto, minutiGiorno> minuti_;
    // Per figure, the running sum of the current minute, for its mean.
    std::array<double, numeroFigure> somme_{};
};

// On the queue: each process's CPU share summed over the current minute's full samples, so that
// the heaviest is the one with the greatest mean, not the one that peaked once.
class PesantiMinuto {
public:
    struct Primo {
        std::int32_t pid = 0;
        std::string nome;
        double cpu = 0;  // mean share over the minute's full samples so far
    };
    // One full sample's processes at `t`, and the minute's heaviest so far (none without any);
    // a new minute starts the sums afresh.
    std::optional<Primo> aggiungi(Coda::Istante t, const std::map<std::int32_t, UsoProcesso>& tabella);

private:
    std::int64_t minuto_ = -1;
    int campioni_ = 0;
    std::map<std::int32_t, std::pair<double, std::string>> somme_;
};

constexpr std::size_t Storia::byteMassimi() {
    return sizeof(Storia) + puntiMassimi * sizeof(Punto) + minutiGiorno * sizeof(Minuto);
}

}  // namespace pulsaro
