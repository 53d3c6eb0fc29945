// Texts of the status item: tooltip and accessibility descriptions.
#pragma once

#include <string>

#include "sampling/catalogo.h"
#include "sampling/uso.h"

namespace pulsaro {

// Label of the status item's button and description of the plain icon.
inline constexpr const char* etichettaBarra = "Pulsaro";

// The alert state: the user wants it ("iconaStato") and some unit that exists does not work.
bool statoGrigio(const StatoFonti& stato, bool iconaStato);

// "Pulsaro", or "Pulsaro – " and the state sentence while in the alert state; a unit the machine
// does not have is named after it ("Pulsaro – Nessuna GPU rilevata").
std::string suggerimentoBarra(const StatoFonti& stato, bool iconaStato);

// "Memoria 62%, CPU 23%, GPU 5%, Neural Engine a riposo": title and compact text of the
// catalogue's summary figures other than core counts, as measured, not clamped.
std::string descrizioneRiquadro(const Riepilogo& r);

// The tooltip while the tile is shown, naming the same figures: "Memoria 62 %, CPU 23 %, GPU 5 %,
// Neural Engine a riposo", then " – " and the state sentence while in the alert state.
std::string suggerimentoRiquadro(const Riepilogo& r, const StatoFonti& stato, bool iconaStato);

}  // namespace pulsaro
