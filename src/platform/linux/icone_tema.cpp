#include "platform/linux/icone_tema.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <set>
#include <string_view>
#include <vector>

#include "platform/linux/file_piccolo.h"

namespace pulsaro {

namespace {

constexpr int latoVoluto = 64;           // the icon is drawn at 16 to 28 points, twice that on HiDPI
constexpr std::size_t massimoTemi = 12;  // an inheritance chain longer than this is a loop or a prank

struct Cartella {
    std::string nome;
    int lato = 48;
    int scala = 1;
    bool scalabile = false;
};

struct Tema {
    std::vector<std::string> eredita;
    std::vector<Cartella> cartelle;
};

std::vector<std::string> lista(std::string_view v) {
    std::vector<std::string> r;
    while (!v.empty()) {
        const auto virgola = v.find(',');
        const std::string_view pezzo = spazia(v.substr(0, virgola));
        if (!pezzo.empty()) r.emplace_back(pezzo);
        v = virgola == std::string_view::npos ? std::string_view{} : v.substr(virgola + 1);
    }
    return r;
}

int numero(std::string_view v, int predefinito) {
    int n = 0;
    const auto [fine, errore] = std::from_chars(v.data(), v.data() + v.size(), n);
    return errore == std::errc{} && fine == v.data() + v.size() && n > 0 ? n : predefinito;
}

// The index.theme of a theme: what it inherits and its folders with their sizes.
Tema leggiTema(std::string_view testo) {
    Tema t;
    std::vector<std::string> nomi;
    std::vector<Cartella> gruppi;
    std::string gruppo;
    while (!testo.empty()) {
        const auto aCapo = testo.find('\n');
        const std::string_view riga = spazia(testo.substr(0, aCapo));
        testo = aCapo == std::string_view::npos ? std::string_view{} : testo.substr(aCapo + 1);
        if (riga.empty() || riga.front() == '#') continue;
        if (riga.front() == '[' && riga.back() == ']') {
            gruppo = std::string(riga.substr(1, riga.size() - 2));
            if (gruppo != "Icon Theme") gruppi.push_back(Cartella{gruppo});
            continue;
        }
        const auto uguale = riga.find('=');
        if (uguale == std::string_view::npos) continue;
        const std::string_view chiave = spazia(riga.substr(0, uguale));
        const std::string_view valore = spazia(riga.substr(uguale + 1));
        if (gruppo == "Icon Theme") {
            if (chiave == "Inherits") t.eredita = lista(valore);
            if (chiave == "Directories" || chiave == "ScaledDirectories")
                for (auto& n : lista(valore)) nomi.push_back(std::move(n));
        } else if (!gruppi.empty()) {
            Cartella& c = gruppi.back();
            if (chiave == "Size") c.lato = numero(valore, c.lato);
            if (chiave == "Scale") c.scala = numero(valore, 1);
            if (chiave == "Type") c.scalabile = valore == "Scalable";
        }
    }
    for (const auto& n : nomi) {
        // A folder name climbing out of the theme is not followed.
        if (n.empty() || n.front() == '/' || n.find("..") != std::string::npos) continue;
        const auto it =
            std::find_if(gruppi.begin(), gruppi.end(), [&](const Cartella& c) { return c.nome == n; });
        t.cartelle.push_back(it != gruppi.end() ? *it : Cartella{n});
    }
    return t;
}

// Present under that name, as anything but a folder: whether it is readable is decided when it
// is opened. stat() opens nothing, so a FIFO here costs no wait.
bool presente(const std::string& percorso) {
    struct stat info {};
    return ::stat(percorso.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool cartella(const std::string& percorso) {
    struct stat info {};
    return ::stat(percorso.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The best file of `nome` in one theme, or none; its inherited themes are added to `coda`.
std::optional<std::string> nelTema(const std::string& tema, const std::string& nome, const DoveIcone& dove,
                                   std::vector<std::string>& coda) {
    std::optional<Tema> t;
    for (const auto& base : dove.cartelleTemi) {
        const std::string dir = base + "/" + tema;
        if (!cartella(dir)) continue;
        if (auto testo = leggiFilePiccolo(dir + "/index.theme", 256 << 10)) {
            t = leggiTema(*testo);
            break;
        }
    }
    if (!t) return std::nullopt;
    for (const auto& e : t->eredita) coda.push_back(e);
    std::optional<std::string> migliore;
    int distanza = 0;
    for (const Cartella& c : t->cartelle) {
        for (const auto& estensione : dove.estensioni) {
            // Drawn smaller, an icon stays sharp; drawn larger, it blurs: the smallest one at least
            // as large as wanted, else the largest.
            const int lato = c.lato * c.scala;
            int d = lato >= latoVoluto ? lato - latoVoluto : 100000 - lato;
            if (c.scalabile && estensione == "svg") d = 0;
            if (migliore && d >= distanza) continue;
            for (const auto& base : dove.cartelleTemi) {
                std::string file = base + "/" + tema + "/" + c.nome + "/" + nome + "." + estensione;
                if (!presente(file)) continue;
                migliore = std::move(file);
                distanza = d;
                break;
            }
        }
    }
    return migliore;
}

}  // namespace

std::optional<std::string> fileIcona(const std::string& icona, const DoveIcone& dove) {
    if (icona.empty()) return std::nullopt;
    if (icona.front() == '/') return icona;
    // A theme name is a plain name; a path relative to nothing can only be a way out of the themes.
    if (icona.find('/') != std::string::npos || icona == "." || icona == "..") return std::nullopt;
    std::string nome = icona;
    for (const auto& estensione : dove.estensioni)
        if (nome.size() > estensione.size() + 1 && nome.ends_with("." + estensione)) {
            nome.resize(nome.size() - estensione.size() - 1);
            break;
        }

    std::vector<std::string> coda = dove.temi;
    std::set<std::string> visti;
    for (std::size_t i = 0; i <= coda.size() && visti.size() < massimoTemi; ++i) {
        // Every theme ends in hicolor, inherited or not.
        const std::string tema = i < coda.size() ? coda[i] : std::string("hicolor");
        if (tema.empty() || tema.find('/') != std::string::npos || tema.starts_with(".") ||
            !visti.insert(tema).second)
            continue;
        if (auto f = nelTema(tema, nome, dove, coda)) return f;
    }
    for (const auto& base : dove.cartelleSciolte)
        for (const auto& estensione : dove.estensioni)
            if (std::string file = base + "/" + nome + "." + estensione; presente(file)) return file;
    return std::nullopt;
}

std::optional<std::string> leggiIcona(const std::string& file) {
    auto testo = leggiFilePiccolo(file, limiteIcona + 1);
    if (!testo || testo->empty() || testo->size() > limiteIcona)
        return std::nullopt;  // cut short: undecodable
    return testo;
}

}  // namespace pulsaro
