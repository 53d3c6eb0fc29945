// Running applications: the name and icon a process shows the user, when it is an application.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pulsaro {

struct Applicazione {
    std::string nome;                     // localized display name
    std::string icona;                    // icon theme name or file path (Linux); empty when none
    std::vector<unsigned char> iconaPng;  // encoded icon image (macOS); empty when none
};

// Where icon files are looked for (Linux): the icon themes in order, the folders holding themes,
// the folders of loose icons, and the file types that can be decoded ("png", "svg", "xpm").
struct DoveIcone {
    std::vector<std::string> temi;
    std::vector<std::string> cartelleTemi;
    std::vector<std::string> cartelleSciolte;
    std::vector<std::string> estensioni;
};

class Applicazioni {
public:
    virtual ~Applicazioni() = default;
    // The running application with this process id, if the process is one.
    virtual std::optional<Applicazione> applicazione(std::int32_t pid) = 0;
    // Only the display name, asked every sample: where the icon costs work it is not made.
    virtual std::optional<std::string> nome(std::int32_t pid) { return soloNome(applicazione(pid)); }

    // The encoded image of the application's icon (PNG, SVG, XPM…), empty when there is none.
    // Files are read only when regular and small; may be slow: never on the main thread.
    virtual std::vector<unsigned char> datiIcona(std::int32_t pid, const DoveIcone&) {
        auto a = applicazione(pid);
        return a ? std::move(a->iconaPng) : std::vector<unsigned char>{};
    }

    // An answer's display name; none for no application or one without a name.
    static std::optional<std::string> soloNome(std::optional<Applicazione> a) {
        if (!a || a->nome.empty()) return std::nullopt;
        return std::move(a->nome);
    }
};

// The running applications of this machine; lives for the whole run.
Applicazioni& applicazioniDiSistema();

}  // namespace pulsaro
