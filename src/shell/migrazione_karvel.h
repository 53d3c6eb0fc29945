// The one-time copy of the predecessor Karvel's preferences into Pulsaro's own.
#pragma once

#include <array>

#include "platform/preferenze.h"

namespace pulsaro {

inline constexpr const char* chiaveMigrato = "migratoDaKarvel";

// The keys copied, in order; the last two are the main window's saved frames.
inline constexpr std::array<const char*, 9> chiaviKarvel = {
    "numeroPannelli",
    "barraMenu",
    "menuContestuale",
    "iconaStato",
    "vista",
    "listaAperta",
    "miniListaAperta",
    "NSWindow Frame principale",
    "NSWindow Frame FinestraPrincipale",
};

// Once: copies each listed key the predecessor holds and these preferences do not, unchanged;
// then marks the migration done, also when the predecessor's store is absent (karvel null).
void migraImpostazioniKarvel(Preferenze& mie, const Preferenze* karvel);

}  // namespace pulsaro
