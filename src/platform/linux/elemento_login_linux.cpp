#include "platform/linux/elemento_login_linux.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/linux/file_piccolo.h"
#include "platform/linux/voci_desktop.h"

namespace pulsaro {

namespace fs = std::filesystem;

namespace {

constexpr const char* nomeFile = "pulsaro.desktop";
constexpr const char* intestazione = "[Desktop Entry]";

std::vector<std::string_view> righe(std::string_view testo) {
    std::vector<std::string_view> r;
    std::size_t inizio = 0;
    while (inizio < testo.size()) {
        auto fine = testo.find('\n', inizio);
        if (fine == std::string_view::npos) fine = testo.size();
        r.push_back(testo.substr(inizio, fine - inizio));
        inizio = fine + 1;
    }
    return r;
}

// The key of a "Key=value" line, trimmed; empty for anything else.
std::string_view chiaveRiga(std::string_view riga) {
    const auto uguale = riga.find('=');
    if (uguale == std::string_view::npos) return {};
    return spazia(riga.substr(0, uguale));
}

// The raw value of a key in the [Desktop Entry] group.
std::optional<std::string_view> valoreVoce(std::string_view testo, std::string_view chiave) {
    bool nelGruppo = false;
    for (auto riga : righe(testo)) {
        const auto r = spazia(riga);
        if (r.starts_with('[')) {
            if (nelGruppo) break;
            nelGruppo = r == intestazione;
        } else if (nelGruppo && chiaveRiga(r) == chiave) {
            return spazia(r.substr(r.find('=') + 1));
        }
    }
    return std::nullopt;
}

// What failed, in the interface's language, then the system's own reason.
std::string descrizioneErrno(std::string_view azione, int codice, const fs::path& percorso) {
    return std::string(azione) + " " + percorso.string() + ": " + std::generic_category().message(codice);
}

// Writes the whole text to a new file beside `destinazione` and moves it into place, so that a
// failed write never leaves half an entry behind.
std::optional<std::string> scriviAtomico(const fs::path& destinazione, std::string_view testo) {
    const fs::path provvisorio = destinazione.string() + ".nuovo";
    const int fd = ::open(provvisorio.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return descrizioneErrno("impossibile scrivere in", errno, destinazione.parent_path());
    std::size_t scritti = 0;
    int errore = 0;
    while (scritti < testo.size()) {
        const ssize_t n = ::write(fd, testo.data() + scritti, testo.size() - scritti);
        if (n < 0) {
            if (errno == EINTR) continue;
            errore = errno;
            break;
        }
        scritti += static_cast<std::size_t>(n);
    }
    if (!errore && ::fsync(fd) != 0) errore = errno;
    if (::close(fd) != 0 && !errore) errore = errno;
    if (!errore && ::rename(provvisorio.c_str(), destinazione.c_str()) != 0) errore = errno;
    if (errore) {
        ::unlink(provvisorio.c_str());
        return descrizioneErrno("impossibile scrivere", errore, destinazione);
    }
    return std::nullopt;
}

// The program an entry starts: the first word of its Exec value, with "%%" read as "%".
std::string programma(const VoceDesktop& v) {
    const auto parole = paroleExec(v.exec);
    if (parole.empty()) return {};
    std::string p;
    for (std::size_t i = 0; i < parole[0].size(); ++i) {
        p.push_back(parole[0][i]);
        if (parole[0][i] == '%' && i + 1 < parole[0].size() && parole[0][i + 1] == '%') ++i;
    }
    return p;
}

}  // namespace

ElementoLoginLinux::ElementoLoginLinux(fs::path cartella, fs::path eseguibile)
    : cartella_(std::move(cartella)), eseguibile_(std::move(eseguibile)), file_(cartella_ / nomeFile) {}

StatoLogin ElementoLoginLinux::stato() {
    if (cartella_.empty()) return StatoLogin::nonRegistrato;
    const auto testo = leggiFilePiccolo(file_.string());
    if (!testo || !eVoceDesktop(*testo)) return StatoLogin::nonRegistrato;
    const auto voce = leggiVoceDesktop(*testo, "");
    if (!voce || voce->nascosta) return StatoLogin::nonRegistrato;
    const auto abilitata = valoreVoce(*testo, "X-GNOME-Autostart-enabled");
    if (abilitata && *abilitata == "false") return StatoLogin::nonRegistrato;
    const fs::path nome = programma(*voce);
    if (!nome.is_absolute()) return StatoLogin::nonRegistrato;
    std::error_code ec;
    if (!fs::exists(nome, ec)) return StatoLogin::nonTrovato;
    return fs::equivalent(nome, eseguibile_, ec) ? StatoLogin::attivo : StatoLogin::nonRegistrato;
}

std::optional<std::string> ElementoLoginLinux::registra() {
    if (cartella_.empty() || eseguibile_.empty())
        return "cartella di avvio automatico o programma sconosciuti";
    std::error_code ec;
    std::string attuale;
    fs::path destinazione = file_;
    if (fs::exists(fs::symlink_status(file_, ec))) {
        // A linked entry (kept with the user's other dotfiles) is rewritten where it lives.
        if (fs::is_symlink(file_, ec)) destinazione = fs::canonical(file_, ec);
        if (ec) return descrizioneErrno("impossibile seguire il collegamento", ec.value(), file_);
        auto testo = leggiFilePiccolo(destinazione.string());
        if (!testo) return "impossibile leggere " + destinazione.string();
        if (!eVoceDesktop(*testo))
            return destinazione.string() + " non è una voce di avvio automatico e resta com'è";
        attuale = std::move(*testo);
    }
    fs::create_directories(destinazione.parent_path(), ec);
    if (ec) return descrizioneErrno("impossibile creare la cartella", ec.value(), destinazione.parent_path());
    return scriviAtomico(destinazione, testoAutostart(attuale, eseguibile_));
}

std::optional<std::string> ElementoLoginLinux::annulla() {
    if (cartella_.empty()) return std::nullopt;
    // Only an entry that starts this executable, or a leftover one whose program is gone, is
    // removed; anything else in its place is not this item and stays.
    const auto s = stato();
    if (s != StatoLogin::attivo && s != StatoLogin::nonTrovato) {
        const auto testo = leggiFilePiccolo(file_.string());
        const auto voce = testo && eVoceDesktop(*testo) ? leggiVoceDesktop(*testo, "") : std::nullopt;
        std::error_code ec;
        if (!voce || !fs::equivalent(programma(*voce), eseguibile_, ec)) return std::nullopt;
    }
    std::error_code ec;
    fs::remove(file_, ec);
    if (ec) return descrizioneErrno("impossibile eliminare", ec.value(), file_);
    return std::nullopt;
}

fs::path cartellaAutostart(const char* xdgConfigHome, const char* home) {
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the base-directory rules say.
    if (xdgConfigHome && *xdgConfigHome == '/') return fs::path(xdgConfigHome) / "autostart";
    if (home && *home) return fs::path(home) / ".config" / "autostart";
    return {};
}

std::string execAutostart(const fs::path& eseguibile) {
    const std::string p = eseguibile.string();
    constexpr std::string_view riservati = " \t\n\"'\\><~|&;$*?#()`";
    std::string parola;
    if (p.find_first_of(riservati) == std::string::npos) {
        parola = p;
    } else {
        parola = "\"";
        for (char c : p) {
            if (c == '"' || c == '`' || c == '$' || c == '\\') parola.push_back('\\');
            parola.push_back(c);
        }
        parola.push_back('"');
    }
    std::string exec;
    for (char c : parola) {
        if (c == '%')
            exec += "%%";
        else
            exec.push_back(c);
    }
    exec += ' ';
    exec += marcaLogin;
    // Then the escapes of every string value.
    std::string valore;
    for (char c : exec) {
        switch (c) {
            case '\\':
                valore += "\\\\";
                break;
            case '\n':
                valore += "\\n";
                break;
            case '\t':
                valore += "\\t";
                break;
            case '\r':
                valore += "\\r";
                break;
            default:
                valore.push_back(c);
        }
    }
    return valore;
}

std::string testoAutostart(std::string_view attuale, const fs::path& eseguibile) {
    // A stale TryExec, Hidden or disabled switch would keep the entry from starting.
    constexpr std::array<std::string_view, 3> via = {"TryExec", "Hidden", "X-GNOME-Autostart-enabled"};
    const std::string exec = "Exec=" + execAutostart(eseguibile);
    const auto tutte = righe(attuale);
    std::string t;
    const auto aggiungi = [&t](std::string_view r) {
        t.append(r);
        t.push_back('\n');
    };
    std::size_t i = 0;
    // What comes before the group (comments), as it was.
    for (; i < tutte.size() && spazia(tutte[i]) != intestazione; ++i) aggiungi(tutte[i]);
    const bool nuova = i == tutte.size();
    if (!nuova) ++i;
    std::size_t fine = i;
    bool conTipo = false, conNome = false, conExec = false;
    for (; fine < tutte.size() && !spazia(tutte[fine]).starts_with('['); ++fine) {
        const auto chiave = chiaveRiga(tutte[fine]);
        conTipo = conTipo || chiave == "Type";
        conNome = conNome || chiave == "Name";
        conExec = conExec || chiave == "Exec";
    }
    // Missing keys first, then the group's own lines in their order, with Type and Exec set.
    aggiungi(intestazione);
    if (!conTipo) aggiungi("Type=Application");
    if (!conNome) aggiungi("Name=Pulsaro");
    if (nuova) {
        aggiungi("Comment=Monitor di attività nella barra dei menu");
        aggiungi("Terminal=false");
    }
    if (!conExec) aggiungi(exec);
    bool tipoScritto = false, execScritto = false;
    for (; i < fine; ++i) {
        const auto chiave = chiaveRiga(tutte[i]);
        if (std::find(via.begin(), via.end(), chiave) != via.end()) continue;
        if (chiave == "Type") {
            if (!std::exchange(tipoScritto, true)) aggiungi("Type=Application");
        } else if (chiave == "Exec") {
            if (!std::exchange(execScritto, true)) aggiungi(exec);
        } else {
            aggiungi(tutte[i]);
        }
    }
    // Later groups (actions and the like), as they were.
    for (; i < tutte.size(); ++i) aggiungi(tutte[i]);
    return t;
}

bool eVoceDesktop(std::string_view testo) {
    for (auto riga : righe(testo)) {
        const auto r = spazia(riga);
        if (r.empty() || r.starts_with('#')) continue;
        return r == intestazione;
    }
    return false;
}

std::unique_ptr<ElementoLogin> elementoLoginDiSistema() {
    std::error_code ec;
    fs::path eseguibile = fs::read_symlink("/proc/self/exe", ec);
    // A program replaced while it runs reads as "path (deleted)": the new one is what should start.
    constexpr std::string_view cancellato = " (deleted)";
    if (const std::string s = eseguibile.string(); s.ends_with(cancellato) && !fs::exists(eseguibile, ec))
        eseguibile = s.substr(0, s.size() - cancellato.size());
    return std::make_unique<ElementoLoginLinux>(
        cartellaAutostart(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")), eseguibile);
}

}  // namespace pulsaro
