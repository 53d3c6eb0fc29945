// A preferences file as it may be found on disk: read without decoding anything, written back
// to the same values, and every key it holds read with every typed read.
#include <cmath>

#include "fuzz/fuzz.h"
#include "platform/qt/formato_ini.h"
#include "platform/qt/preferenze_qt.h"

using namespace pulsaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    const QByteArray testo(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(n));
    const QSettings::SettingsMap letta = leggiIni(testo);
    fuzz::verifica(leggiIni(scriviIni(letta)) == letta, "riscritto si rilegge uguale");

    static const fuzz::Cartella cartella;
    PreferenzeQt p(QString::fromStdString(cartella.scrivi("Pulsaro.conf", fuzz::testo(dati, n))));
    for (auto it = letta.cbegin(); it != letta.cend(); ++it) {
        const std::string chiave = it.key().toStdString();
        const auto v = p.valore(chiave);
        p.booleano(chiave, true);
        p.intero(chiave, 0);
        p.testo(chiave, "");
        if (v && std::holds_alternative<double>(*v))
            fuzz::verifica(std::isfinite(std::get<double>(*v)), "numero finito");
    }
    return 0;
}
