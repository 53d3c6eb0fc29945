// The arithmetic and texts of the two panels, as pure functions.
#pragma once

#include <QRect>
#include <QString>
#include <array>
#include <optional>

#include "sampling/uso.h"
#include "widgets/risorsa.h"

namespace pulsaro {

// --- the main window's list area ----------------------------------------------------------

inline constexpr double altezzaListaIniziale = 200;  // until the content is measured
inline constexpr double altezzaListaMassima = 560;
inline constexpr double sogliaMisura = 2;  // changes of this much or less are ignored

// The scroll area's minimum height for the last measured content height.
double altezzaAreaLista(double misurata);
// True when a new measure replaces the last one (it differs by more than 2 points).
bool misuraNuova(double precedente, double nuova);

// --- fitting the main window to its content -----------------------------------------------

inline constexpr double altezzaAdattabileMinima = 300;  // fitting heights up to this are not trusted

// The window's new frame (title bar included) for a content that wants `adatta` points,
// keeping its top edge unless the bottom would leave the screen's available area; nothing
// when the window should stay as it is. y grows downwards.
std::optional<QRect> adattamentoFinestra(const QRect& cornice, int altezzaContenuto, double adatta,
                                         const std::optional<QRect>& disponibile);

// --- texts --------------------------------------------------------------------------------

// The subtitle under a resource of the header card. `dettaglio` only counts when `seguendo`.
QString sottotitoloRisorsa(Risorsa r, const UsoTotale& totale, bool aneAcceso, bool seguendo,
                           const std::optional<UsoProcesso>& dettaglio, int core);

// "Clic su un processo ... (8 core) ...".
QString testoAiuto(int core);

// The interval pop-up: texts and seconds.
struct SceltaIntervallo {
    const char* testo;
    double secondi;
};
inline constexpr std::array<SceltaIntervallo, 3> scelteIntervallo{
    {{"1 s", 1.0}, {"1,5 s", 1.5}, {"3 s", 3.0}}};
// The choice for a number of seconds; the nearest when none matches.
int indiceIntervallo(double secondi);

}  // namespace pulsaro
