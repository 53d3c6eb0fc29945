#include "sampling/esposizione.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

#include "platform/testo_utf8.h"
#include "sampling/catalogo.h"

namespace pulsaro {

namespace {

char minuscola(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view spoglia(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool uguali(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (minuscola(a[i]) != minuscola(b[i])) return false;
    return true;
}

// A weight "0", "0.5", "1" or "1.000", read without the locale; anything else is no weight.
std::optional<double> peso(std::string_view q) {
    q = spoglia(q);
    if (q.empty() || (q[0] != '0' && q[0] != '1')) return std::nullopt;
    double v = q[0] - '0';
    if (q.size() == 1) return v;
    if (q[1] != '.' || q.size() > 5) return std::nullopt;
    double passo = 0.1;
    for (char c : q.substr(2)) {
        if (c < '0' || c > '9') return std::nullopt;
        v += (c - '0') * passo;
        passo /= 10;
    }
    return v <= 1 ? std::optional<double>(v) : std::nullopt;
}

// A number without the locale's decimal comma: integers as they are, others to six decimals.
std::string numero(double v) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v > 0 ? "+Inf" : "-Inf";
    if (std::fabs(v) >= 1e12) return std::to_string(std::llround(v));
    const long long milionesimi = std::llround(v * 1e6);
    const unsigned long long a = static_cast<unsigned long long>(std::llabs(milionesimi));
    std::string r = (milionesimi < 0 ? "-" : "") + std::to_string(a / 1000000);
    if (unsigned long long f = a % 1000000) {
        std::string cifre = std::to_string(f);
        cifre.insert(0, 6 - cifre.size(), '0');
        while (cifre.back() == '0') cifre.pop_back();
        r += "." + cifre;
    }
    return r;
}

class Scrittore {
public:
    explicit Scrittore(FormatoEsposizione f) : om_(f == FormatoEsposizione::openMetrics) {}

    // One family: its type, unit (the name's last word) and help, then its samples.
    void famiglia(std::string_view nome, std::string_view unita, std::string_view aiuto) {
        t_ += "# HELP ";
        t_ += nome;
        t_ += ' ';
        t_ += aiuto;
        t_ += "\n# TYPE ";
        t_ += nome;
        t_ += " gauge\n";
        if (om_ && !unita.empty()) {
            t_ += "# UNIT ";
            t_ += nome;
            t_ += ' ';
            t_ += unita;
            t_ += '\n';
        }
    }
    void campione(std::string_view nome, std::string_view etichette, const std::string& valore) {
        t_ += nome;
        if (!etichette.empty()) {
            t_ += '{';
            t_ += etichette;
            t_ += '}';
        }
        t_ += ' ';
        t_ += valore;
        t_ += '\n';
    }
    void campione(std::string_view nome, std::string_view etichette, double v) {
        campione(nome, etichette, numero(v));
    }
    void campione(std::string_view nome, std::string_view etichette, std::uint64_t v) {
        campione(nome, etichette, std::to_string(v));
    }
    std::string fine() {
        if (om_) t_ += "# EOF\n";
        return std::move(t_);
    }

private:
    bool om_;
    std::string t_;
};

}  // namespace

FormatoEsposizione formatoPerAccept(std::string_view accept) {
    double om = -1, testo = -1;
    while (!accept.empty()) {
        const std::size_t virgola = accept.find(',');
        std::string_view voce = accept.substr(0, virgola);
        accept = virgola == std::string_view::npos ? std::string_view{} : accept.substr(virgola + 1);

        std::size_t pv = voce.find(';');
        const std::string_view tipo = spoglia(voce.substr(0, pv));
        double q = 1;
        std::string_view versione;
        while (pv != std::string_view::npos) {
            voce = voce.substr(pv + 1);
            pv = voce.find(';');
            const std::string_view parametro = voce.substr(0, pv);
            const std::size_t uguale = parametro.find('=');
            if (uguale == std::string_view::npos) continue;
            const std::string_view chiave = spoglia(parametro.substr(0, uguale));
            const std::string_view valore = spoglia(parametro.substr(uguale + 1));
            if (uguali(chiave, "q")) q = peso(valore).value_or(0);
            if (uguali(chiave, "version")) versione = valore;
        }
        if (q <= 0) continue;
        if (uguali(tipo, "application/openmetrics-text")) {
            if (versione.empty() || versione == "1.0.0" || versione == "0.0.1") om = std::max(om, q);
        } else if (uguali(tipo, "text/plain")) {
            if (versione.empty() || versione == "0.0.4") testo = std::max(testo, q);
        } else if (uguali(tipo, "*/*") || uguali(tipo, "application/*")) {
            om = std::max(om, q);
        } else if (uguali(tipo, "text/*")) {
            testo = std::max(testo, q);
        }
    }
    return testo > om ? FormatoEsposizione::prometheus : FormatoEsposizione::openMetrics;
}

std::string_view tipoContenuto(FormatoEsposizione f) {
    return f == FormatoEsposizione::openMetrics ? "application/openmetrics-text; version=1.0.0; charset=utf-8"
                                                : "text/plain; version=0.0.4; charset=utf-8";
}

std::string valoreEtichetta(std::string_view testo) {
    std::string r;
    for (char c : testoUtf8(testo)) {
        if (c == '\\')
            r += "\\\\";
        else if (c == '"')
            r += "\\\"";
        else if (c == '\n')
            r += "\\n";
        else
            r += c;
    }
    return r;
}

std::string esposizione(const LetturaEsportata& l, FormatoEsposizione f) {
    Scrittore s(f);
    const UsoTotale& t = l.totale;
    const Misure m = misure(Riepilogo{l.memoria, t.cpu, t.core, t.gpu, t.ane}, t);
    // Every figure of the catalogue under its metric name, left out while its source fails; the
    // busy cores as one family, labelled by class, so that they can be summed.
    bool core = false;
    for (const VoceCatalogo& v : catalogo) {
        const auto valore = m[v.figura];
        if (!valore || !disponibile(v.figura, l.stato)) continue;
        if (v.unita == Unita::core) {
            if (!std::exchange(core, true))
                s.famiglia(
                    v.metrica, "",
                    "Core della CPU impegnati sopra il 50%, per classe (P prestazioni, E efficienza).");
            s.campione(v.metrica, std::string("classe=\"") + v.etichetta + "\"", *valore);
            continue;
        }
        const bool watt = v.unita == Unita::watt;
        s.famiglia(v.metrica, watt ? "watts" : "ratio",
                   std::string(v.titolo) + (watt ? ", in watt." : ", da 0 a 1."));
        s.campione(v.metrica, "", valoreMetrica(v.figura, *valore));
    }
    s.famiglia("pulsaro_memoria_usata_bytes", "bytes", "Memoria in uso.");
    const double usata = std::clamp(l.memoria, 0.0, 100.0) / 100 * static_cast<double>(l.memoriaFisica);
    s.campione("pulsaro_memoria_usata_bytes", "", static_cast<std::uint64_t>(std::llround(usata)));
    s.famiglia("pulsaro_memoria_fisica_bytes", "bytes", "Memoria fisica della macchina.");
    s.campione("pulsaro_memoria_fisica_bytes", "", l.memoriaFisica);
    if (l.stato.ane) {
        s.famiglia("pulsaro_neural_engine_attivo", "", "1 quando il Neural Engine lavora, altrimenti 0.");
        s.campione("pulsaro_neural_engine_attivo", "", std::uint64_t{aneAttivo(t.ane)});
    }
    s.famiglia("pulsaro_fonte_funziona", "", "1 quando Pulsaro legge la fonte di dati, altrimenti 0.");
    s.campione("pulsaro_fonte_funziona", "fonte=\"cpu\"", std::uint64_t{l.stato.cpu});
    s.campione("pulsaro_fonte_funziona", "fonte=\"gpu\"", std::uint64_t{l.stato.gpu});
    s.campione("pulsaro_fonte_funziona", "fonte=\"ane\"", std::uint64_t{l.stato.ane});
    if (!l.processi.empty()) {
        std::vector<std::string> etichette;
        for (const auto& p : l.processi)
            etichette.push_back("pid=\"" + std::to_string(p.id) + "\",nome=\"" + valoreEtichetta(p.nome) +
                                "\"");
        auto perProcesso = [&](const char* nome, const char* unita, const char* aiuto, auto valore) {
            s.famiglia(nome, unita, aiuto);
            for (std::size_t i = 0; i < l.processi.size(); ++i)
                s.campione(nome, etichette[i], valore(l.processi[i]));
        };
        perProcesso("pulsaro_processo_cpu_ratio", "ratio",
                    "Quota della CPU dell'intera macchina usata dal processo.",
                    [](const UsoProcesso& p) { return p.cpu / 100; });
        perProcesso("pulsaro_processo_gpu_ratio", "ratio", "Quota della GPU usata dal processo.",
                    [](const UsoProcesso& p) { return p.gpu / 100; });
        perProcesso("pulsaro_processo_residente_bytes", "bytes", "Memoria residente del processo.",
                    [](const UsoProcesso& p) { return p.memoria; });
        perProcesso("pulsaro_processo_client_neural_engine", "",
                    "1 quando il processo tiene un client del Neural Engine.",
                    [](const UsoProcesso& p) { return std::uint64_t{p.usaANE}; });
    }
    return s.fine();
}

}  // namespace pulsaro
