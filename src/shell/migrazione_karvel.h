// The one-time copy of the predecessor Karvel's preferences into Pulsaro's own.
#pragma once

#include "platform/preferenze.h"
#include "platform/tabella_preferenze.h"

namespace pulsaro {

inline constexpr const char* chiaveMigrato = TabellaPreferenze::migratoDaKarvel.chiave;
inline constexpr const auto& chiaviKarvel = TabellaPreferenze::chiaviKarvel;

// Once: copies each listed key the predecessor holds and these preferences do not, unchanged;
// then marks the migration done, also when the predecessor's store is absent (karvel null).
void migraImpostazioniKarvel(Preferenze& mie, const Preferenze* karvel);

}  // namespace pulsaro
