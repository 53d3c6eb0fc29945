#include "shell/terminale.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <deque>
#include <functional>
#include <mutex>
#include <nlohmann/json.hpp>
#include <ostream>

#include "platform/qt/preferenze_qt.h"
#include "sampling/coda_seriale.h"
#include "sampling/monitor.h"
#include "sampling/sonde.h"
#include "sampling/testi.h"
#include "sistema/sistema.h"

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

std::string formato(const char* f, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, f, v);
    return buf;
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
        } else if (a == "--help" || a == "-h") {
            o.aiuto = true;
        } else if (a == "--campioni") {
            auto v = valore("--campioni");
            if (!v) break;
            try {
                std::size_t fine = 0;
                long long n = std::stoll(*v, &fine);
                if (fine != v->size() || n < 1) throw std::invalid_argument(*v);
                o.campioni = n;
            } catch (const std::exception&) {
                o.errore = "--campioni vuole un numero intero positivo, non \"" + *v + "\"";
                break;
            }
        } else if (a == "--intervallo") {
            auto v = valore("--intervallo");
            if (!v) break;
            try {
                std::size_t fine = 0;
                double s = std::stod(*v, &fine);
                if (fine != v->size() || !(s >= 0.1) || s > 3600) throw std::invalid_argument(*v);
                o.intervallo = s;
            } catch (const std::exception&) {
                o.errore = "--intervallo vuole secondi tra 0.1 e 3600, non \"" + *v + "\"";
                break;
            }
        } else if (a == "-pannellino") {
            // Opens the popover in the menu-bar application; nothing to do in a terminal.
        } else {
            o.errore = "opzione sconosciuta: " + a;
            break;
        }
    }
    return o;
}

std::string testoAiuto() {
    return "Uso: pulsaro [--terminale [--campioni N] [--intervallo S] [--json]]\n"
           "\n"
           "Per ora ogni avvio usa la modalità terminale: l'icona nella barra dei menu non c'è ancora.\n"
           "\n"
           "  --terminale      campiona e stampa una riga per campione\n"
           "  --campioni N     si ferma dopo N campioni\n"
           "  --intervallo S   secondi tra due campioni (predefinito 1.5)\n"
           "  --json           un oggetto JSON per riga invece del testo\n"
           "  --help           mostra questo aiuto\n"
           "\n"
           "Ctrl-C termina.\n";
}

std::string rigaTesto(const Campione& c) {
    std::string r = "Mem " + formato("%.0f%%", c.riepilogo.memoria);
    r += "  CPU " + formato("%.1f%%", c.totale.cpu);
    r += "  Core " + c.core;
    r += "  GPU " + (c.stato.gpu ? formato("%.0f%%", c.totale.gpu) : std::string("n/d"));
    r += "  ANE " + (c.stato.ane ? formato("%.0f%%", c.totale.ane) : std::string("n/d"));
    r += "  " + testoStato(c.stato) + "\n";
    int rango = 0;
    for (const auto& p : c.processi) {
        char buf[512];
        std::snprintf(buf, sizeof buf, "  %2d  %-28.28s CPU %5.1f%%  GPU %5.1f%%  %9s  pid %d%s\n", ++rango,
                      p.nome.c_str(), p.cpu, p.gpu, memoriaTesto(p.memoria).c_str(), p.id,
                      p.usaANE ? "  ANE" : "");
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
    json j = {
        {"memoria", c.riepilogo.memoria},
        {"cpu", c.totale.cpu},
        {"core", {{"p", c.totale.core.p}, {"e", c.totale.core.e}, {"testo", c.core}}},
        {"gpu", c.totale.gpu},
        {"ane", c.totale.ane},
        {"gpuWatt", c.totale.gpuWatt},
        {"aneWatt", c.totale.aneWatt},
        {"aneApp", c.totale.aneApp},
        {"stato",
         {{"cpu", c.stato.cpu}, {"gpu", c.stato.gpu}, {"ane", c.stato.ane}, {"testo", testoStato(c.stato)}}},
        {"processi", processi},
    };
    // Invalid UTF-8 in a process name is replaced, never a reason to stop.
    return j.dump(-1, ' ', false, json::error_handler_t::replace);
}

int eseguiTerminale(const OpzioniTerminale& opzioni, std::ostream& out) {
    interrotto = false;
    std::signal(SIGINT, suInterruzione);
    std::signal(SIGTERM, suInterruzione);

    CicloPrincipale ciclo;
    PreferenzeQt preferenze;  // the stored number of processes applies here too
    auto sonde = sondeDiSistema();
    CodaSeriale coda("pulsaro.campionatore");
    long long stampati = 0;
    bool finito = false;
    {
        auto monitor = Monitor::crea(
            *sonde, coda, [&ciclo](std::function<void()> f) { ciclo.invia(std::move(f)); }, preferenze);
        Monitor* m = monitor.get();
        // The totals arrive with every full sample; print once the whole block has been assigned.
        auto stampa = monitor->totale.abbona([&, m](const UsoTotale&) {
            ciclo.invia([&, m] {
                if (finito) return;
                Campione c{m->riepilogo(), m->totale(), m->stato(), m->processi(), m->totale().core.testo()};
                out << (opzioni.json ? rigaJson(c) + "\n" : rigaTesto(c)) << std::flush;
                if (opzioni.campioni && ++stampati >= *opzioni.campioni) finito = true;
            });
        });
        if (opzioni.intervallo) monitor->impostaIntervallo(*opzioni.intervallo);
        monitor->visibilita(true, "terminale");
        while (!finito && !interrotto) ciclo.giro(std::chrono::milliseconds(100));
        monitor->visibilita(false, "terminale");
    }
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    return 0;
}

}  // namespace pulsaro
