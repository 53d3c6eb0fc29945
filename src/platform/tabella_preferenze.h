// Every stored preference, declared once: key, type, default, range or choices, and the one
// reading of a stored value that the engine's feeders, the settings, the migration and the
// terminal mode all share. No other file spells a key.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/preferenze.h"

namespace pulsaro::TabellaPreferenze {

// A missing value, or one that is not a bool, reads as the default.
struct SiNo {
    const char* chiave;
    bool predefinito;

    bool leggi(const Preferenze& p) const { return p.booleano(chiave, predefinito); }
    void scrivi(Preferenze& p, bool v) const { p.scrivi(chiave, v); }
};

// A missing value, or one that is not an integer, reads as the default; a stored number outside
// the range reads as the nearest end. A number inside the range is read as it is, off the steps
// too, so the stepper shows what the engine keeps and a step goes on from there.
struct Intera {
    const char* chiave;
    std::int64_t predefinito, minimo, massimo, passo;

    std::int64_t leggi(const Preferenze& p) const;
    void scrivi(Preferenze& p, std::int64_t v) const { p.scrivi(chiave, v); }
};

// One of a few texts; anything else reads as the first.
struct Scelta {
    const char* chiave;
    std::array<const char*, 3> scelte;

    std::size_t leggi(const Preferenze& p) const;
    void scrivi(Preferenze& p, std::size_t i) const { p.scrivi(chiave, std::string(scelte.at(i))); }
};

// The tile colour: six hexadecimal digits; an unreadable value reads as the default and stays
// stored until a colour is chosen.
struct Colore {
    const char* chiave;
    const char* predefinito;

    std::string leggi(const Preferenze& p) const;
    void scrivi(Preferenze& p, const std::string& seiCifre) const { p.scrivi(chiave, seiCifre); }
};

// A text kept by the toolkit's rules (a saved window frame): read as stored, no default.
struct Testo {
    const char* chiave;

    std::optional<std::string> leggi(const Preferenze& p) const { return p.testo(chiave); }
    void scrivi(Preferenze& p, const std::string& v) const { p.scrivi(chiave, v); }
};

// Six hexadecimal digits in upper case after trimming "#" and blanks at both ends, else none.
std::optional<std::string> seiCifre(std::string_view testo);

inline constexpr Intera numeroPannelli{"numeroPannelli", 9, 3, 30, 3};
inline constexpr SiNo barraMenu{"barraMenu", true};
inline constexpr SiNo menuContestuale{"menuContestuale", true};
inline constexpr SiNo iconaStato{"iconaStato", true};
inline constexpr SiNo iconaRiquadro{"iconaRiquadro", false};
inline constexpr Colore coloreRiquadro{"coloreRiquadro", "E08A4F"};
// The tile's items in their drawing order: memory, CPU, busy cores, GPU, Neural Engine.
inline constexpr std::array<SiNo, 5> vociRiquadro{{{"riquadro_mem", true},
                                                   {"riquadro_cpu", true},
                                                   {"riquadro_core", false},
                                                   {"riquadro_gpu", true},
                                                   {"riquadro_n", true}}};
// An older build that knows only the first two reads "Storia" as the first.
inline constexpr Scelta vista{"vista", {"Barre", "Contagiri", "Storia"}};
inline constexpr SiNo listaAperta{"listaAperta", true};
inline constexpr SiNo miniListaAperta{"miniListaAperta", true};
inline constexpr SiNo migratoDaKarvel{"migratoDaKarvel", false};
// The endpoint that Prometheus scrapes, on this machine's loopback address.
inline constexpr SiNo esportaMisure{"esportaMisure", false};
inline constexpr Testo cornicePrincipale{"NSWindow Frame FinestraPrincipale"};
// The predecessor's older name for the same frame, only ever copied.
inline constexpr Testo cornicePrincipaleKarvel{"NSWindow Frame principale"};

// What the one-time migration copies from the predecessor, in order: the keys above and the
// predecessor's older name for the main window's frame.
inline constexpr std::array<const char*, 9> chiaviKarvel{
    numeroPannelli.chiave,
    barraMenu.chiave,
    menuContestuale.chiave,
    iconaStato.chiave,
    vista.chiave,
    listaAperta.chiave,
    miniListaAperta.chiave,
    "NSWindow Frame principale",
    cornicePrincipale.chiave,
};

}  // namespace pulsaro::TabellaPreferenze
