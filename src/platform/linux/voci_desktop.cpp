#include "platform/linux/voci_desktop.h"

#include <algorithm>
#include <array>

namespace pulsaro {

namespace {

std::string_view spazia(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// The escapes of string values: \s \n \t \r \\.
std::string senzaEscape(std::string_view v) {
    std::string r;
    r.reserve(v.size());
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (v[i] != '\\' || i + 1 == v.size()) {
            r.push_back(v[i]);
            continue;
        }
        switch (const char c = v[++i]) {
            case 's':
                r.push_back(' ');
                break;
            case 'n':
                r.push_back('\n');
                break;
            case 't':
                r.push_back('\t');
                break;
            case 'r':
                r.push_back('\r');
                break;
            case '\\':
                r.push_back('\\');
                break;
            default:
                r.push_back('\\');
                r.push_back(c);
        }
    }
    return r;
}

std::string_view baseName(std::string_view p) {
    const auto barra = p.rfind('/');
    return barra == std::string_view::npos ? p : p.substr(barra + 1);
}

// Programs that run something else: the entry's real application is further along the line.
constexpr std::array<std::string_view, 24> lanciatori = {
    "sh",       "bash",    "dash",   "zsh",  "env",  "flatpak", "snap", "python",
    "python2",  "python3", "perl",   "ruby", "java", "wine",    "gjs",  "node",
    "xdg-open", "gio",     "pkexec", "sudo", "su",   "kdesu",   "mono", "exo-open"};

}  // namespace

std::optional<VoceDesktop> leggiVoceDesktop(std::string_view testo, std::string_view lingua) {
    VoceDesktop v;
    bool nelGruppo = false, visto = false;
    std::string nomeLingua, nomeLinguaBreve;
    std::string tipo;
    const auto trattino = lingua.find_first_of("_@.");
    const std::string_view linguaBreve = lingua.substr(0, trattino);

    std::size_t inizio = 0;
    while (inizio <= testo.size()) {
        auto fine = testo.find('\n', inizio);
        if (fine == std::string_view::npos) fine = testo.size();
        const std::string_view riga = spazia(testo.substr(inizio, fine - inizio));
        inizio = fine + 1;
        if (riga.empty() || riga.front() == '#') continue;
        if (riga.front() == '[') {
            if (nelGruppo) break;  // only the first group matters
            nelGruppo = riga == "[Desktop Entry]";
            visto = visto || nelGruppo;
            continue;
        }
        if (!nelGruppo) continue;
        const auto uguale = riga.find('=');
        if (uguale == std::string_view::npos) continue;
        const std::string_view chiave = spazia(riga.substr(0, uguale));
        const std::string valore = senzaEscape(spazia(riga.substr(uguale + 1)));
        if (chiave == "Name")
            v.nome = valore;
        else if (!lingua.empty() && chiave.size() == lingua.size() + 6 && chiave.starts_with("Name[") &&
                 chiave.substr(5, lingua.size()) == lingua && chiave.back() == ']')
            nomeLingua = valore;
        else if (!linguaBreve.empty() && chiave.size() == linguaBreve.size() + 6 &&
                 chiave.starts_with("Name[") && chiave.substr(5, linguaBreve.size()) == linguaBreve &&
                 chiave.back() == ']')
            nomeLinguaBreve = valore;
        else if (chiave == "Icon")
            v.icona = valore;
        else if (chiave == "Exec")
            v.exec = valore;
        else if (chiave == "TryExec")
            v.tryExec = valore;
        else if (chiave == "Type")
            tipo = valore;
        else if (chiave == "Hidden")
            v.nascosta = valore == "true";
        else if (chiave == "NoDisplay")
            v.senzaMenu = valore == "true";
    }
    if (!visto || (!tipo.empty() && tipo != "Application")) return std::nullopt;
    if (!nomeLingua.empty())
        v.nome = nomeLingua;
    else if (!nomeLinguaBreve.empty())
        v.nome = nomeLinguaBreve;
    if (v.nome.empty()) return std::nullopt;
    return v;
}

std::vector<std::string> paroleExec(std::string_view exec) {
    std::vector<std::string> parole;
    std::string parola;
    bool inParola = false, tra = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (tra) {
            if (c == '"') {
                tra = false;
            } else if (c == '\\' && i + 1 < exec.size() &&
                       std::string_view("\"`$\\").find(exec[i + 1]) != std::string_view::npos) {
                parola.push_back(exec[++i]);
            } else {
                parola.push_back(c);
            }
        } else if (c == '"') {
            tra = inParola = true;
        } else if (c == ' ' || c == '\t') {
            if (inParola) parole.push_back(std::move(parola));
            parola.clear();
            inParola = false;
        } else {
            parola.push_back(c);
            inParola = true;
        }
    }
    if (inParola) parole.push_back(std::move(parola));
    return parole;
}

std::string eseguibileDaExec(std::string_view exec) {
    const auto parole = paroleExec(exec);
    std::size_t i = 0;
    // "env A=b C=d program ...": the program is after the assignments and options.
    if (i < parole.size() && baseName(parole[i]) == "env") {
        ++i;
        while (i < parole.size() &&
               (parole[i].find('=') != std::string::npos || parole[i].starts_with('-'))) {
            // Options that take the next word as their value.
            const bool conValore =
                parole[i] == "-u" || parole[i] == "-C" || parole[i] == "--unset" || parole[i] == "--chdir";
            i += conValore ? 2 : 1;
        }
    }
    if (i >= parole.size() || parole[i].starts_with('%')) return {};
    const std::string_view nome = baseName(parole[i]);
    if (nome.empty() || nome.starts_with("python") ||
        std::find(lanciatori.begin(), lanciatori.end(), nome) != lanciatori.end())
        return {};
    return std::string(nome);
}

}  // namespace pulsaro
