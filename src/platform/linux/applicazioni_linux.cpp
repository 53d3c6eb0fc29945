#include "platform/linux/applicazioni_linux.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "platform/linux/file_piccolo.h"
#include "platform/linux/icone_tema.h"
#include "platform/linux/processi_proc.h"

namespace pulsaro {

namespace {

namespace fs = std::filesystem;

// Enough for every pid a desktop shows; an id reused later is caught by its start time.
constexpr std::size_t massimoRisposte = 4096;
constexpr int profonditaMassima = 6;

std::string leggiFile(const std::string& percorso, std::size_t massimo = 1 << 20) {
    return leggiFilePiccolo(percorso, massimo).value_or("");
}

std::string baseName(std::string_view p) {
    const auto barra = p.rfind('/');
    return std::string(barra == std::string_view::npos ? p : p.substr(barra + 1));
}

// Executable names that may identify the process, most reliable first.
std::vector<std::string> nomiProcesso(const std::string& cartella, const std::string& comm) {
    std::vector<std::string> nomi;
    std::error_code ec;
    auto exe = fs::read_symlink(cartella + "/exe", ec).string();
    if (!ec && !exe.empty()) {
        constexpr std::string_view cancellato = " (deleted)";
        if (exe.ends_with(cancellato)) exe.resize(exe.size() - cancellato.size());
        nomi.push_back(baseName(exe));
    }
    const std::string riga = leggiFile(cartella + "/cmdline", 4096);
    const std::string argv0 = riga.substr(0, riga.find('\0'));
    if (!argv0.empty()) {
        nomi.push_back(baseName(argv0));
        // Programs that rewrite their command line put it all in one string.
        if (const auto blank = argv0.find(' '); blank != std::string::npos)
            nomi.push_back(baseName(argv0.substr(0, blank)));
    }
    nomi.push_back(comm);
    return nomi;
}

}  // namespace

std::vector<std::string> cartelleDatiXdg(const char* home, const char* dataHome, const char* dataDirs) {
    std::vector<std::string> cartelle;
    const auto assoluta = [](std::string_view p) { return !p.empty() && p.front() == '/'; };
    if (dataHome && assoluta(dataHome))
        cartelle.emplace_back(dataHome);
    else if (home && assoluta(home))
        cartelle.push_back(sottoRadice(home, ".local/share"));

    std::string_view dirs = dataDirs && *dataDirs ? dataDirs : "/usr/local/share:/usr/share";
    while (!dirs.empty()) {
        const auto due = dirs.find(':');
        const std::string_view d = dirs.substr(0, due);
        dirs = due == std::string_view::npos ? std::string_view{} : dirs.substr(due + 1);
        if (assoluta(d) && std::find(cartelle.begin(), cartelle.end(), d) == cartelle.end())
            cartelle.emplace_back(d);
    }
    return cartelle;
}

ApplicazioniDesktop::ApplicazioniDesktop(std::string radice, std::vector<std::string> cartelleDati,
                                         std::string lingua)
    : radice_(std::move(radice)), cartelle_(std::move(cartelleDati)), lingua_(std::move(lingua)) {}

void ApplicazioniDesktop::costruisciIndice() {
    indicizzato_ = true;
    std::set<std::string> idVisti;  // an entry in an earlier folder hides one with the same id
    for (const auto& cartella : cartelle_) {
        const fs::path base = fs::path(cartella) / "applications";
        std::vector<fs::path> file;
        std::error_code ec;
        fs::recursive_directory_iterator it(base, fs::directory_options::skip_permission_denied, ec), fine;
        for (; !ec && it != fine; it.increment(ec)) {
            if (it.depth() >= profonditaMassima) it.disable_recursion_pending();
            if (it->path().extension() == ".desktop" && it->is_regular_file(ec)) file.push_back(it->path());
        }
        std::sort(file.begin(), file.end());  // the same answer whatever order the folder lists
        for (const auto& f : file) {
            auto id = f.lexically_relative(base).string();
            std::replace(id.begin(), id.end(), '/', '-');
            if (!idVisti.insert(id).second) continue;
            auto voce = leggiVoceDesktop(leggiFile(f.string()), lingua_);
            if (!voce || voce->nascosta) continue;
            for (const auto& chiave : {voce->tryExec.empty() ? std::string() : baseName(voce->tryExec),
                                       eseguibileDaExec(voce->exec)}) {
                if (chiave.empty()) continue;
                auto [pos, nuova] = perEseguibile_.try_emplace(chiave, *voce);
                // An entry shown in menus is the application's own; a hidden one is often a helper.
                if (!nuova && pos->second.senzaMenu && !voce->senzaMenu) pos->second = *voce;
            }
        }
    }
}

std::size_t ApplicazioniDesktop::vociIndicizzate() {
    std::lock_guard lock(mutex_);
    if (!indicizzato_) costruisciIndice();
    return perEseguibile_.size();
}

std::optional<Applicazione> ApplicazioniDesktop::cerca(std::int32_t pid, const std::string& comm) const {
    const std::string cartella = sottoRadice(radice_, "proc/" + std::to_string(pid));
    for (const auto& nome : nomiProcesso(cartella, comm)) {
        if (nome.empty()) continue;
        if (auto it = perEseguibile_.find(nome); it != perEseguibile_.end())
            return Applicazione{it->second.nome, it->second.icona, {}};
    }
    return std::nullopt;
}

std::optional<Applicazione> ApplicazioniDesktop::applicazione(std::int32_t pid) {
    if (pid <= 0) return std::nullopt;
    const auto stat =
        leggiStat(leggiFile(sottoRadice(radice_, "proc/" + std::to_string(pid) + "/stat"), 4096));
    if (!stat) {
        std::lock_guard lock(mutex_);
        risposte_.erase(pid);
        return std::nullopt;
    }
    return applicazione(pid, stat->avvio, stat->nome);
}

std::optional<Applicazione> ApplicazioniDesktop::applicazione(std::int32_t pid, std::uint64_t avvio,
                                                              const std::string& comm) {
    if (pid <= 0) return std::nullopt;
    std::lock_guard lock(mutex_);
    if (auto it = risposte_.find(pid); it != risposte_.end() && it->second.avvio == avvio)
        return it->second.app;
    if (!indicizzato_) costruisciIndice();
    auto app = cerca(pid, comm);
    if (risposte_.size() >= massimoRisposte) risposte_.clear();
    risposte_[pid] = Risposta{avvio, app};
    return app;
}

std::vector<unsigned char> ApplicazioniDesktop::datiIcona(std::int32_t pid, const DoveIcone& dove) {
    const auto app = applicazione(pid);
    if (!app || app->icona.empty()) return {};
    const auto file = fileIcona(app->icona, dove);
    const auto dati = file ? leggiIcona(*file) : std::nullopt;
    if (!dati) return {};
    return std::vector<unsigned char>(dati->begin(), dati->end());
}

ApplicazioniDesktop& applicazioniDesktop() {
    static ApplicazioniDesktop app("/", cartelleDatiXdg(std::getenv("HOME"), std::getenv("XDG_DATA_HOME"),
                                                        std::getenv("XDG_DATA_DIRS")));
    return app;
}

Applicazioni& applicazioniDiSistema() {
    return applicazioniDesktop();
}

}  // namespace pulsaro
