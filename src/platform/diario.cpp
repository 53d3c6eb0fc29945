#include "platform/diario.h"

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <set>
#include <utility>

namespace pulsaro {

namespace {

// Past this many distinct causes something builds causes from changing data (a pid, a time):
// stop remembering, say so once, and drop further once-only lines rather than grow.
constexpr std::size_t massimoCause = 256;

struct Stato {
    std::mutex mutex;
    std::set<std::string, std::less<>> cause;
    bool saturo = false;
    DeviaDiario::Scrittore scrittore;  // empty: the system's log
};

Stato& stato() {
    static Stato s;
    return s;
}

std::optional<LivelloDiario> livelloDaNome(std::string_view n) {
    for (auto l : {LivelloDiario::debug, LivelloDiario::info, LivelloDiario::avviso, LivelloDiario::errore})
        if (nomeLivello(l) == n) return l;
    return std::nullopt;
}

std::atomic<int>& soglia() {
    static std::atomic<int> s = [] {
        const char* v = std::getenv("PULSARO_DIARIO");
        return static_cast<int>(livelloDaNome(v ? v : "").value_or(LivelloDiario::info));
    }();
    return s;
}

std::string unaRiga(std::string_view t) {
    std::string r(t);
    for (char& c : r)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
    return r;
}

// Called with the state's lock held, so that lines never interleave and a diversion ends cleanly.
void scrivi(Stato& s, LivelloDiario l, std::string_view categoria, std::string_view messaggio) {
    const std::string c = unaRiga(categoria), m = unaRiga(messaggio);
    if (s.scrittore)
        s.scrittore(l, c, m);
    else
        scriviDiarioDiSistema(l, c, m);
}

}  // namespace

std::string_view nomeLivello(LivelloDiario l) {
    switch (l) {
        case LivelloDiario::debug:
            return "debug";
        case LivelloDiario::info:
            return "info";
        case LivelloDiario::avviso:
            return "avviso";
        case LivelloDiario::errore:
            return "errore";
    }
    return "?";
}

void impostaSogliaDiario(LivelloDiario minima) {
    soglia() = static_cast<int>(minima);
}

void diario(LivelloDiario l, std::string_view categoria, std::string_view messaggio) {
    if (static_cast<int>(l) < soglia()) return;
    auto& s = stato();
    std::lock_guard lock(s.mutex);
    scrivi(s, l, categoria, messaggio);
}

bool diarioUnaVolta(LivelloDiario l, std::string_view causa, std::string_view categoria,
                    std::string_view messaggio) {
    auto& s = stato();
    std::lock_guard lock(s.mutex);
    if (s.cause.contains(causa)) return false;
    if (s.cause.size() >= massimoCause) {
        if (!s.saturo)
            scrivi(s, LivelloDiario::avviso, "diario",
                   "troppe cause diverse: le prossime non sono registrate");
        s.saturo = true;
        return false;
    }
    // Remembered even below the threshold: the cause happened, it just was not worth a line.
    s.cause.emplace(causa);
    if (static_cast<int>(l) < soglia()) return false;
    scrivi(s, l, categoria, messaggio);
    return true;
}

void dimenticaCausa(std::string_view causa) {
    auto& s = stato();
    std::lock_guard lock(s.mutex);
    if (auto it = s.cause.find(causa); it != s.cause.end()) s.cause.erase(it);
}

DeviaDiario::DeviaDiario(Scrittore s) {
    auto& st = stato();
    std::lock_guard lock(st.mutex);
    precedente_ = std::exchange(st.scrittore, std::move(s));
}

DeviaDiario::~DeviaDiario() {
    auto& st = stato();
    std::lock_guard lock(st.mutex);
    st.scrittore = std::move(precedente_);
}

std::string rigaDiario(LivelloDiario l, std::string_view categoria, std::string_view messaggio,
                       bool giornale) {
    std::string r;
    if (giornale) {
        // The journal reads a syslog priority in angle brackets: err 3, warning 4, info 6, debug 7.
        static constexpr char priorita[] = {'7', '6', '4', '3'};
        r = {'<', priorita[static_cast<int>(l)], '>'};
    } else {
        r = "pulsaro: ";
        r += nomeLivello(l);
        r += ": ";
    }
    if (!categoria.empty()) {
        r += categoria;
        r += ": ";
    }
    r += messaggio;
    r += '\n';
    return r;
}

}  // namespace pulsaro
