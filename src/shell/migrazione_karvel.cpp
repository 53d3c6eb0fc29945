#include "shell/migrazione_karvel.h"

namespace pulsaro {

void migraImpostazioniKarvel(Preferenze& mie, const Preferenze* karvel) {
    if (TabellaPreferenze::migratoDaKarvel.leggi(mie)) return;
    if (karvel) {
        for (const char* chiave : chiaviKarvel) {
            if (mie.valore(chiave)) continue;  // never over what the user set here
            if (auto v = karvel->valore(chiave)) mie.scriviPropria(chiave, *v);
        }
    }
    // The program's own writes: a file it could not read is not replaced for them.
    mie.scriviPropria(chiaveMigrato, true);
}

}  // namespace pulsaro
