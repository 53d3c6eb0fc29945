#include "shell/terminale.h"

#include <QDateTime>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <deque>
#include <functional>
#include <iostream>
#include <limits>
#include <mutex>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string_view>
#include <utility>

#include "platform/numeri.h"
#include "platform/qt/preferenze_qt.h"
#include "platform/tabella_preferenze.h"
#include "sampling/catalogo.h"
#include "sampling/coda_seriale.h"
#include "sampling/monitor.h"
#include "sampling/sonde.h"
#include "sampling/testi.h"
#include "sistema/sistema.h"
#include "widgets/elementi_processo.h"

namespace pulsaro {

namespace {

std::atomic<bool> interrotto{false};

extern "C" void suInterruzione(int) {
    interrotto = true;
}

// The terminal's main thread: blocks handed over by the sampling queue, run in order.
class CicloPrincipale {
public:
    void invia(std::function<void()> f) {
        std::lock_guard lock(mutex_);
        blocchi_.push_back(std::move(f));
        cv_.notify_one();
    }
    // Runs what has arrived, waiting at most `attesa` for something to arrive.
    void giro(std::chrono::milliseconds attesa) {
        std::deque<std::function<void()>> pronti;
        {
            std::unique_lock lock(mutex_);
            cv_.wait_for(lock, attesa, [&] { return !blocchi_.empty(); });
            pronti.swap(blocchi_);
        }
        for (auto& f : pronti) f();
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<std::function<void()>> blocchi_;
};

// One code point of valid UTF-8 at i, which moves past it.
char32_t decodifica(std::string_view s, std::size_t& i) {
    const auto b = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(s[k])); };
    const char32_t c = b(i);
    if (c < 0x80) return i += 1, c;
    if (c < 0xE0) return i += 2, ((c & 0x1F) << 6) | (b(i - 1) & 0x3F);
    if (c < 0xF0) return i += 3, ((c & 0x0F) << 12) | ((b(i - 2) & 0x3F) << 6) | (b(i - 1) & 0x3F);
    i += 4;
    return ((c & 0x07) << 18) | ((b(i - 3) & 0x3F) << 12) | ((b(i - 2) & 0x3F) << 6) | (b(i - 1) & 0x3F);
}

bool tra(char32_t c, const std::pair<char32_t, char32_t>* intervalli, std::size_t n) {
    for (std::size_t k = 0; k < n; ++k)
        if (c >= intervalli[k].first && c <= intervalli[k].second) return true;
    return false;
}

// Display columns of a printable character: 0 for combining and zero-width marks, 2 for
// East Asian wide and fullwidth characters and emoji, 1 otherwise.
int colonne(char32_t c) {
    static constexpr std::pair<char32_t, char32_t> zero[] = {
        {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD},  {0x05BF, 0x05BF}, {0x05C1, 0x05C2},
        {0x05C4, 0x05C5}, {0x05C7, 0x05C7}, {0x0610, 0x061A},  {0x064B, 0x065F}, {0x0670, 0x0670},
        {0x06D6, 0x06DC}, {0x06DF, 0x06E4}, {0x06E7, 0x06E8},  {0x06EA, 0x06ED}, {0x0900, 0x0902},
        {0x093A, 0x093A}, {0x093C, 0x093C}, {0x0941, 0x0948},  {0x094D, 0x094D}, {0x0951, 0x0957},
        {0x0E31, 0x0E31}, {0x0E34, 0x0E3A}, {0x0E47, 0x0E4E},  {0x1160, 0x11FF}, {0x1AB0, 0x1AFF},
        {0x1DC0, 0x1DFF}, {0x200B, 0x200F}, {0x2060, 0x2064},  {0x20D0, 0x20FF}, {0xFE00, 0xFE0F},
        {0xFE20, 0xFE2F}, {0xFEFF, 0xFEFF}, {0xE0000, 0xE0FFF}};
    static constexpr std::pair<char32_t, char32_t> doppie[] = {
        {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},   {0x23F0, 0x23F3},
        {0x25FD, 0x25FE},   {0x2614, 0x2615},   {0x2648, 0x2653},   {0x26A1, 0x26A1},   {0x26AA, 0x26AB},
        {0x26BD, 0x26BE},   {0x26C4, 0x26C5},   {0x26D4, 0x26D4},   {0x26EA, 0x26EA},   {0x26F2, 0x26F5},
        {0x26FA, 0x26FD},   {0x2705, 0x2705},   {0x270A, 0x270B},   {0x2728, 0x2728},   {0x274C, 0x274E},
        {0x2753, 0x2757},   {0x2795, 0x2797},   {0x27B0, 0x27BF},   {0x2B1B, 0x2B1C},   {0x2B50, 0x2B55},
        {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},
        {0xA960, 0xA97F},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE10, 0xFE19},   {0xFE30, 0xFE6F},
        {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x16FE0, 0x16FE4}, {0x17000, 0x18CFF}, {0x1B000, 0x1B2FF},
        {0x1F004, 0x1F004}, {0x1F0CF, 0x1F0CF}, {0x1F18E, 0x1F18E}, {0x1F191, 0x1F19A}, {0x1F200, 0x1F251},
        {0x1F300, 0x1F64F}, {0x1F680, 0x1F6FF}, {0x1F7E0, 0x1F7EB}, {0x1F90C, 0x1F9FF}, {0x1FA70, 0x1FAFF},
        {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD}};
    if (tra(c, zero, std::size(zero))) return 0;
    if (tra(c, doppie, std::size(doppie))) return 2;
    return 1;
}

// A process's name as a column of exactly `larghezza` display columns, written as the interface
// shows it (escapes for what would steer the terminal, "(pid N)" for a name that shows nothing),
// cut before a character that would not fit, padded with blanks.
std::string colonnaNome(const UsoProcesso& p, int larghezza) {
    const std::string testo = nomeLeggibile(p).toStdString();
    std::string r;
    int usate = 0;
    for (std::size_t i = 0; i < testo.size();) {
        const std::size_t inizio = i;
        const int w = colonne(decodifica(testo, i));
        if (usate + w > larghezza) break;
        r.append(testo, inizio, i - inizio);
        usate += w;
    }
    r.append(static_cast<std::size_t>(larghezza - usate), ' ');
    return r;
}

}  // namespace

OpzioniTerminale leggiOpzioni(const std::vector<std::string>& argomenti) {
    OpzioniTerminale o;
    for (std::size_t i = 0; i < argomenti.size(); ++i) {
        const std::string& a = argomenti[i];
        auto valore = [&](const char* nome) -> std::optional<std::string> {
            if (i + 1 < argomenti.size()) return argomenti[++i];
            o.errore = std::string("manca il valore di ") + nome;
            return std::nullopt;
        };
        if (a == "--terminale") {
            o.terminale = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--storia") {
            o.storia = true;
        } else if (a == "--help" || a == "-h") {
            o.aiuto = true;
        } else if (a == "--campioni") {
            auto v = valore("--campioni");
            if (!v) break;
            auto n = interoRigoroso(*v);
            if (!n || *n < 1) {
                o.errore = "--campioni vuole un numero intero positivo, non \"" + *v + "\"";
                break;
            }
            o.campioni = *n;
        } else if (a == "--intervallo") {
            auto v = valore("--intervallo");
            if (!v) break;
            auto s = decimaleRigoroso(*v);
            if (!s || !(*s >= 0.1) || *s > 3600) {
                o.errore = "--intervallo vuole secondi tra 0.1 e 3600, non \"" + *v + "\"";
                break;
            }
            o.intervallo = *s;
        } else if (a == "--silenzioso") {
            o.silenzioso = true;
        } else if (opzioneEsportazione(argomenti, i, o.esporta, o.errore)) {
            if (!o.errore.empty()) break;
        } else if (a == "-pannellino") {
            // Opens the popover in the menu-bar application; nothing to do in a terminal.
        } else {
            o.errore = "opzione sconosciuta: " + a;
            break;
        }
    }
    return o;
}

std::string rigaTesto(const Campione& c) {
    const Misure m = misure(c.riepilogo, c.totale);
    std::string r;
    for (const auto& v : catalogo) {
        const auto valore = m[v.figura];
        if (!valore) continue;
        r += std::string(v.etichetta) + " " +
             (disponibile(v.figura, c.stato) ? testo(v.figura, *valore) : std::string("n/d")) + "  ";
    }
    r += testoFonti(c.stato) + "\n";
    int rango = 0;
    for (const auto& p : c.processi) {
        char buf[256];
        std::snprintf(buf, sizeof buf, "  %2d  ", ++rango);
        r += buf;
        r += colonnaNome(p, 28);
        std::snprintf(buf, sizeof buf, " CPU %5.1f%%  GPU %5.1f%%  %9s  pid %d%s\n", p.cpu, p.gpu,
                      memoriaTesto(p.memoria).c_str(), p.id, p.usaANE ? "  ANE" : "");
        r += buf;
    }
    return r;
}

std::string rigaJson(const Campione& c) {
    using json = nlohmann::ordered_json;
    json processi = json::array();
    for (const auto& p : c.processi)
        processi.push_back({{"id", p.id},
                            {"nome", p.nome},
                            {"cpu", p.cpu},
                            {"gpu", p.gpu},
                            {"ane", p.ane},
                            {"usaANE", p.usaANE},
                            {"memoria", p.memoria}});
    json j = json::object();
    const Misure m = misure(c.riepilogo, c.totale);
    for (const auto& v : catalogo)
        if (auto valore = m[v.figura]) j[v.json] = *valore;
    // The busy cores keep the object scripts have read since the first release.
    j["core"] = {{"p", c.totale.core.p}, {"e", c.totale.core.e}, {"testo", c.core}};
    j["aneApp"] = c.totale.aneApp;
    j["stato"] = {{"cpu", c.stato.cpu},
                  {"gpu", c.stato.gpu},
                  {"ane", c.stato.ane},
                  {"gpuAssente", c.stato.gpuAssente},
                  {"aneAssente", c.stato.aneAssente},
                  {"testo", testoFonti(c.stato)}};
    j["processi"] = std::move(processi);
    // Invalid UTF-8 in a process name is replaced, never a reason to stop.
    return j.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string rigaStoria(const Storia::Minuto& m, std::int64_t parete, bool json) {
    const QDateTime inizio = QDateTime::fromSecsSinceEpoch(parete);
    if (json) {
        using J = nlohmann::ordered_json;
        J j = {{"secondi", parete},
               {"ora", inizio.toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString()}};
        for (const auto& v : catalogo)
            if (const Storia::Aggregato& a = m[v.figura]; a.campioni)
                j[v.json] = {{"minimo", a.minimo},
                             {"media", a.media},
                             {"massimo", a.massimo},
                             {"campioni", a.campioni}};
        if (m.pesante)
            j["pesante"] = {{"pid", m.pesante->pid}, {"nome", m.pesante->testo()}, {"cpu", m.pesante->cpu}};
        return j.dump(-1, ' ', false, J::error_handler_t::replace) + "\n";
    }
    std::string r = inizio.toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString();
    for (const auto& v : catalogo)
        if (const Storia::Aggregato& a = m[v.figura]; a.campioni)
            r += "  " + std::string(v.etichetta) + " " + testo(v.figura, a.media) + " (" +
                 testo(v.figura, a.minimo) + " \u2013 " + testo(v.figura, a.massimo) + ")";
    if (m.pesante) {
        std::string nome =
            colonnaNome(UsoProcesso{.id = m.pesante->pid, .nome = std::string(m.pesante->testo())},
                        Storia::nomeMassimo * 4);
        nome.erase(nome.find_last_not_of(' ') + 1);
        char buf[64];
        std::snprintf(buf, sizeof buf, " (pid %d, CPU %.1f%%)", m.pesante->pid, m.pesante->cpu);
        r += "  pi\u00F9 pesante: " + nome + buf;
    }
    return r + "\n";
}

int eseguiTerminale(const OpzioniTerminale& opzioni, std::ostream& out) {
    return eseguiTerminale(opzioni, out, std::cerr);
}

int eseguiTerminale(const OpzioniTerminale& opzioni, std::ostream& out, std::ostream& errori) {
    interrotto = false;
    std::signal(SIGINT, suInterruzione);
    std::signal(SIGTERM, suInterruzione);

    CicloPrincipale ciclo;
    PreferenzeQt preferenze;  // the stored number of processes applies here too
    auto sonde = sondeDiSistema();
    CodaSeriale coda("pulsaro.campionatore");
    long long stampati = 0;
    bool finito = false;
    bool scritturaFallita = false;
    {
        auto monitor =
            Monitor::crea(*sonde, coda, [&ciclo](std::function<void()> f) { ciclo.invia(std::move(f)); });
        monitor->impostaNumeroProcessi(static_cast<int>(TabellaPreferenze::numeroPannelli.leggi(preferenze)));
        Monitor* m = monitor.get();
        // With --storia a minute is printed once it has closed, and the open one at the end.
        std::int64_t stampato = std::numeric_limits<std::int64_t>::min();
        auto stampaMinuti = [&, m](bool aperto) {
            const Storia& s = m->storia();
            const double scarto =
                static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0 - Storia::secondi(m->ora());
            const std::size_t n = s.numeroMinuti() - (!aperto && s.numeroMinuti() ? 1 : 0);
            for (std::size_t i = 0; i < n; ++i) {
                const Storia::Minuto& minuto = s.minuto(i);
                if (minuto.indice <= stampato) continue;
                out << rigaStoria(minuto, std::llround(static_cast<double>(minuto.indice) * 60 + scarto),
                                  opzioni.json);
                stampato = minuto.indice;
            }
            out << std::flush;
        };
        // The totals arrive with every full sample; print once the whole block has been assigned.
        auto stampa = monitor->totale.abbona([&, m](const UsoTotale&) {
            ciclo.invia([&, m] {
                if (finito) return;
                Campione c{m->riepilogo(), m->totale(), m->stato(), m->processi(), m->totale().core.testo()};
                if (opzioni.storia)
                    stampaMinuti(false);
                else
                    out << (opzioni.json ? rigaJson(c) + "\n" : rigaTesto(c)) << std::flush;
                // A full disk or a closed output ends the run: nobody would see the samples.
                if (!out) scritturaFallita = finito = true;
                if (opzioni.campioni && ++stampati >= *opzioni.campioni) finito = true;
            });
        });
        if (opzioni.intervallo) monitor->impostaIntervallo(*opzioni.intervallo);
        std::unique_ptr<Esportatore> esportatore;
        if (opzioni.esporta.dove)
            esportatore =
                std::make_unique<Esportatore>(*monitor, *opzioni.esporta.dove, opzioni.esporta.processi);
        // Silent, nothing shows the figures: only scrapes read the machine.
        Monitor::Interesse interesse;
        if (!opzioni.silenzioso) interesse = monitor->interesse();
        while (!finito && !interrotto) ciclo.giro(std::chrono::milliseconds(100));
        interesse.finisci();
        esportatore.reset();
        if (opzioni.storia && !scritturaFallita) {
            stampaMinuti(true);
            if (!out) scritturaFallita = true;
        }
    }
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    if (scritturaFallita) {
        errori << "pulsaro: impossibile scrivere i campioni sull'uscita\n" << std::flush;
        return 1;
    }
    return 0;
}

}  // namespace pulsaro
